"""The accessibility tree as a screen reader sees it over AT-SPI: the applications on
the bus and every object under one. Shared by the smoke tests' AT-SPI clients."""
import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find_application(name):
    """The application of that name on the bus, or None."""
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        child = desktop.get_child_at_index(i)
        if child is not None and child.get_name() == name:
            return child
    return None


def walk(node):
    """node and everything under it, depth first, in the order of the children."""
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)
