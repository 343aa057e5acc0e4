// Runs first, before anything that might fail, and in the plainest script any browser
// reads: where the drill cannot run, the page says so (#cannot-run) instead of staying
// empty. That is on a script error or a script that fails to load before the window
// shows, or when the window has not shown 8 s after the page was read (past its 3 s
// wait for its face): counted from DOMContentLoaded, as the load event waits for the
// drill's script, which may never come. The page takes the notice away if its window
// comes after all.
(function () {
  'use strict';
  var kWaitMs = 8000;

  function windowShown() {
    return document.body !== null && /(^|\s)ready(\s|$)/.test(document.body.className);
  }

  function sayItCannotRun() {
    var notice = document.getElementById('cannot-run');
    if (notice !== null && !windowShown()) notice.hidden = false;
  }

  // Errors of scripts come to the window; a script that cannot be loaded reports on its
  // own element, which only a listener in the capture phase hears.
  window.addEventListener('error', function (event) {
    var source = event.target;
    if (source === window || (source && source.tagName === 'SCRIPT')) sayItCannotRun();
  }, true);
  window.addEventListener('unhandledrejection', sayItCannotRun);
  document.addEventListener('DOMContentLoaded', function () {
    setTimeout(sayItCannotRun, kWaitMs);
  });
}());
