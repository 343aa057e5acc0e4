#!/usr/bin/env python3
"""Makes the drill's two web deliverables from the built module and the page's files.

- zelkor.html: one self-contained page (the drill's plain JavaScript build, script,
  style, font and icon inlined), to open from disk or hand out; a page that fetched a
  separate .wasm would not load from file://, and the JavaScript build runs in every
  browser the page is for.
- site/: the folder for a static host: index.html, both builds of the drill (the page
  loads the WebAssembly one where the browser may run it, else the JavaScript one), the
  font and its licence, icons, a web app manifest and a service worker that keeps the
  page's own files for offline use.

Both carry a Content-Security-Policy that allows only the page's own code, and nothing
in them asks for any other address.
"""
import argparse
import base64
import configparser
import hashlib
import html
import json
import pathlib
import shutil

ICON_SIZES = (32, 128, 256)


def sha256(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def data_url(path, mime):
    return f"data:{mime};base64," + base64.b64encode(path.read_bytes()).decode()


def chinese_name(desktop_entry):
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(desktop_entry, encoding="utf-8")
    return entry["Desktop Entry"]["Name[zh_CN]"]


# The page's Song face in its two weights: the regular and the bold file, in that order.
FONT_WEIGHTS = (400, 700)
FONT_FILES = ("zelkor-song.woff2", "zelkor-song-bold.woff2")


def font_faces(sources):
    return "".join('@font-face { font-family: "Zelkor Song"; src: url("%s") format("woff2"); '
                   'font-weight: %d; font-display: block; }\n' % (src, weight)
                   for src, weight in zip(sources, FONT_WEIGHTS))


def page(layout, head, body_scripts, html_attributes):
    return (f'<!DOCTYPE html>\n<html lang="zh-CN"{html_attributes}>\n<head>\n'
            '<meta charset="utf-8">\n'
            '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
            f'{head}<title>{html.escape(layout["title"])}</title>\n</head>\n<body>\n'
            f'<p id="turn-hint" hidden>{html.escape(layout["turnHint"])}</p>\n'
            # Where the window cannot show: with scripts off, and (notice.js) where they fail.
            f'<noscript><p class="cannot-run">{html.escape(layout["scriptsOff"])}</p></noscript>\n'
            f'<p id="cannot-run" class="cannot-run" role="alert" hidden>'
            f'{html.escape(layout["cannotRun"])}</p>\n'
            f'<main id="window" aria-label="{html.escape(layout["title"])}"></main>\n'
            '<div id="announcer" class="visually-hidden" aria-live="polite"></div>\n'
            f'{body_scripts}</body>\n</html>\n')


def csp(policy):
    return f'<meta http-equiv="Content-Security-Policy" content="{policy}">\n'


def single_file(args, layout):
    css = (font_faces([data_url(f, "font/woff2") for f in args.fonts]) +
           args.css.read_text(encoding="utf-8"))
    scripts = [path.read_text(encoding="utf-8")
               for path in (args.notice_js, args.page_js, args.plain_module)]
    policy = ("default-src 'none'; script-src " + " ".join(sha256(s) for s in scripts) +
              "; style-src " + sha256(css) +
              "; font-src data:; img-src data:; base-uri 'none'; form-action 'none'")
    icon = data_url(args.icons / "org.zelkor.Zelkor-32.png", "image/png")
    head = (csp(policy) + f'<link rel="icon" href="{icon}" sizes="32x32">\n'
            f'<style>{css}</style>\n')
    body = "".join(f"<script>{s}</script>\n" for s in scripts)
    licence = args.font_licence.read_text(encoding="utf-8")
    assert "-->" not in licence, "the licence would end its comment early"
    text = page(layout, head, body, "")
    text += f"<!-- The fonts inlined above are subsets of Noto Serif CJK SC:\n{licence}\n-->\n"
    args.single.write_text(text, encoding="utf-8")


def site(args, layout):
    out = args.site
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    (out / "page.css").write_text(font_faces(FONT_FILES) +
                                  args.css.read_text(encoding="utf-8"), encoding="utf-8")
    shutil.copy(args.notice_js, out / "notice.js")
    shutil.copy(args.page_js, out / "page.js")
    shutil.copy(args.module, out / "zelkor.js")
    shutil.copy(args.module_wasm, out / "zelkor.wasm")
    shutil.copy(args.plain_module, out / "zelkor-plain.js")
    for font, name in zip(args.fonts, FONT_FILES):
        shutil.copy(font, out / name)
    shutil.copy(args.font_licence, out / "zelkor-song-licence.txt")
    for size in ICON_SIZES:
        shutil.copy(args.icons / f"org.zelkor.Zelkor-{size}.png", out / f"icon-{size}.png")
    shutil.copy(args.icons / "org.zelkor.Zelkor.svg", out / "icon.svg")
    name = chinese_name(args.desktop_entry)
    manifest = {
        "name": name, "short_name": name, "lang": "zh-CN", "start_url": "./",
        "scope": "./", "display": "standalone", "orientation": "landscape",
        "background_color": "#f0f0f0",
        "theme_color": "#f0f0f0",
        "icons": [{"src": f"icon-{s}.png", "sizes": f"{s}x{s}", "type": "image/png"}
                  for s in ICON_SIZES] +
                 [{"src": "icon.svg", "sizes": "any", "type": "image/svg+xml"}],
    }
    (out / "manifest.webmanifest").write_text(
        json.dumps(manifest, ensure_ascii=False, indent=1) + "\n", encoding="utf-8")
    policy = ("default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; "
              "font-src 'self'; img-src 'self'; connect-src 'self'; manifest-src 'self'; "
              "worker-src 'self'; base-uri 'none'; form-action 'none'")
    head = (csp(policy) + '<link rel="icon" href="icon-32.png" sizes="32x32">\n'
            '<link rel="apple-touch-icon" href="icon-256.png">\n'
            '<link rel="manifest" href="manifest.webmanifest">\n'
            '<link rel="stylesheet" href="page.css">\n')
    body = '<script src="notice.js"></script>\n<script src="page.js"></script>\n'
    # page.js loads one of the two builds, and keeps the files for offline use.
    attributes = ' data-offline="yes" data-builds="zelkor.js zelkor-plain.js"'
    (out / "index.html").write_text(page(layout, head, body, attributes), encoding="utf-8")
    (out / "web.config").write_text(iis_config(policy), encoding="utf-8")
    # What the service worker keeps: every file but itself and the server's configuration
    # (which IIS never serves), each with its content's SHA-256; "./" is index.html.
    files = sorted(p.name for p in out.iterdir() if p.name != "web.config")
    digests = {name: hashlib.sha256((out / name).read_bytes()).hexdigest() for name in files}
    version = hashlib.sha256("".join(digests.values()).encode()).hexdigest()[:16]
    worker = args.service_worker.read_text(encoding="utf-8")
    worker = worker.replace("@VERSION@", version).replace(
        "@FILES@", json.dumps({"./": digests["index.html"], **digests}, indent=1))
    (out / "sw.js").write_text(worker, encoding="utf-8")


# The types a server must send that not every server knows: IIS before 10 knows none of
# them, and refuses a file whose type it does not know.
SITE_TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
              ".woff2": "font/woff2"}


def iis_config(policy):
    """web.config for IIS: the types above, and the page's policy as a header, where it
    can also forbid other sites to frame the page. Each is removed first: IIS answers
    500 to a type or header defined twice, as it is where the server defines it too."""
    types = "".join(f'      <remove fileExtension="{extension}" />\n'
                    f'      <mimeMap fileExtension="{extension}" mimeType="{mime}" />\n'
                    for extension, mime in SITE_TYPES.items())
    header = html.escape(policy + "; frame-ancestors 'self'", quote=False)
    return ('<?xml version="1.0" encoding="utf-8"?>\n'
            "<!-- For IIS: the drill's page needs these types and this header. -->\n"
            "<configuration>\n  <system.webServer>\n    <staticContent>\n"
            f"{types}    </staticContent>\n    <httpProtocol>\n      <customHeaders>\n"
            '        <remove name="Content-Security-Policy" />\n'
            f'        <add name="Content-Security-Policy" value="{header}" />\n'
            "      </customHeaders>\n    </httpProtocol>\n  </system.webServer>\n"
            "</configuration>\n")


def main():
    # @FILE reads arguments from FILE, one a line; a later one overrides an earlier one.
    parser = argparse.ArgumentParser(description=__doc__, fromfile_prefix_chars="@")
    parser.add_argument("--layout", type=pathlib.Path, required=True)
    parser.add_argument("--module", type=pathlib.Path, required=True,
                        help="the WebAssembly build's loader")
    parser.add_argument("--module-wasm", type=pathlib.Path, required=True,
                        help="the WebAssembly build's module")
    parser.add_argument("--plain-module", type=pathlib.Path, required=True,
                        help="the plain JavaScript build, in one file")
    parser.add_argument("--notice-js", type=pathlib.Path, required=True)
    parser.add_argument("--page-js", type=pathlib.Path, required=True)
    parser.add_argument("--css", type=pathlib.Path, required=True)
    parser.add_argument("--service-worker", type=pathlib.Path, required=True)
    parser.add_argument("--fonts", type=pathlib.Path, nargs=2, required=True,
                        help="the Song face's regular and bold subsets")
    parser.add_argument("--font-licence", type=pathlib.Path, required=True)
    parser.add_argument("--icons", type=pathlib.Path, required=True)
    parser.add_argument("--desktop-entry", type=pathlib.Path, required=True)
    parser.add_argument("--single", type=pathlib.Path, required=True)
    parser.add_argument("--site", type=pathlib.Path, required=True)
    args = parser.parse_args()
    layout = json.loads(args.layout.read_text(encoding="utf-8"))
    single_file(args, layout)
    site(args, layout)


if __name__ == "__main__":
    main()
