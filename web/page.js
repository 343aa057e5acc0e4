// The page's side of the drill's window: it makes and changes the DOM controls the
// C++ window asks for (page_surface.cpp), and hands the page's events back to it. It holds no
// rules: what a click does, and when, is the drill's.
'use strict';

var zelkorPage = (function () {
  const windowElement = document.getElementById('window');
  const announcer = document.getElementById('announcer');
  const controls = [];  // by index in the layout table: {element, kind, text, spoken, input}
  const wakeUps = [];   // by timer: what cancels its pending wake-up
  let focusOrder = [];
  let module = null;

  function call(name, ...args) {
    if (module) module['_' + name](...args);
  }

  function colour(packed) {
    return '#' + packed.toString(16).padStart(6, '0');
  }

  function element(tag, className, parent) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (parent) parent.appendChild(made);
    return made;
  }

  // A label's text, and beside it, read by screen readers only, what they say of it: the
  // text in words, or its spoken name while the text is empty.
  function makeLabel(control, caption, spokenName) {
    control.element = element('div', 'control label');
    control.text = element('span', 'text', control.element);
    control.spoken = element('span', 'visually-hidden', control.element);
    setCaption(control, caption, caption === '' ? spokenName : caption);
  }

  function makeFrame(control, caption, index) {
    control.element = element('div', 'control frame');
    control.element.setAttribute('role', 'group');
    element('div', 'frame-border', control.element);
    control.text = element('span', 'frame-caption', control.element);
    control.text.id = 'frame-caption-' + index;
    control.text.textContent = caption;
    control.element.setAttribute('aria-labelledby', control.text.id);
  }

  // Full-width forms that a Chinese input method commits for the keys typed (１２ for
  // 12, "。" or "．" for "."): the box keeps the keys' own characters.
  function keysAsTyped(text) {
    let typed = '';
    for (const c of text) {
      const code = c.codePointAt(0);
      if (code >= 0xff01 && code <= 0xff5e) typed += String.fromCodePoint(code - 0xfee0);
      else if (c === '\u3002' || c === '\uff61') typed += '.';
      else if (c === '\u3000') typed += ' ';
      else typed += c;
    }
    return typed;
  }

  function keepKeysAsTyped(box) {
    const typed = keysAsTyped(box.value);
    if (typed === box.value) return;
    // One character for one: the caret stays where it was.
    const start = box.selectionStart;
    const end = box.selectionEnd;
    box.value = typed;
    box.setSelectionRange(start, end);
  }

  function makeNumberBox(control, caption, spokenName) {
    const box = element('input', 'control number-box');
    box.type = 'text';
    box.value = caption;
    box.setAttribute('inputmode', 'decimal');
    box.setAttribute('autocomplete', 'off');
    box.setAttribute('autocorrect', 'off');
    box.setAttribute('autocapitalize', 'off');
    box.spellcheck = false;
    box.setAttribute('aria-label', spokenName);
    box.addEventListener('input', (event) => {
      if (!event.isComposing) keepKeysAsTyped(box);
    });
    box.addEventListener('compositionend', () => keepKeysAsTyped(box));
    control.element = control.input = box;
  }

  function makeButton(control, caption, index) {
    const button = element('button', 'control button');
    button.type = 'button';
    button.textContent = caption;
    // Mouse, touch, Enter and the space bar all click a button.
    button.addEventListener('click', () => call('zelkor_clicked', index));
    control.element = control.input = button;
  }

  function makeTypeBox(control, caption, index) {
    control.element = element('label', 'control type-box');
    const box = element('input', '', control.element);
    box.type = 'checkbox';
    element('span', '', control.element).textContent = caption;
    // After every change of the tick, by mouse, touch or the space bar.
    box.addEventListener('change', () => call('zelkor_clicked', index));
    control.input = box;
  }

  function makeSeparator(control, spokenName) {
    control.element = element('div', 'control separator');
    control.element.setAttribute('role', 'separator');
    control.element.setAttribute('aria-orientation', 'vertical');
    control.element.setAttribute('aria-label', spokenName);
  }

  function createControl(index, name, kind, frame, caption, bold, text, background, layer,
                         spokenName, visible) {
    const control = {kind: kind};
    if (kind === 'frame') makeFrame(control, caption, index);
    else if (kind === 'label') makeLabel(control, caption, spokenName);
    else if (kind === 'numberBox') makeNumberBox(control, caption, spokenName);
    else if (kind === 'button') makeButton(control, caption, index);
    else if (kind === 'typeBox') makeTypeBox(control, caption, index);
    else makeSeparator(control, spokenName);
    const made = control.element;
    made.dataset.design = name;
    made.style.zIndex = String(layer);
    made.style.fontWeight = bold ? '700' : '400';
    if (text >= 0) made.style.color = colour(text);
    if (background >= 0) made.style.backgroundColor = colour(background);
    made.hidden = !visible;
    (frame < 0 ? windowElement : controls[frame].element).appendChild(made);
    controls[index] = control;
  }

  function place(index, left, top, width, height, fontPixels, centred) {
    const style = controls[index].element.style;
    style.left = left + 'px';
    style.top = top + 'px';
    style.width = width + 'px';
    style.height = height + 'px';
    style.fontSize = fontPixels + 'px';
    if (controls[index].kind === 'label') style.alignItems = centred ? 'center' : 'flex-start';
  }

  function setWindowSize(width, height) {
    windowElement.style.width = width + 'px';
    windowElement.style.height = height + 'px';
    // The hint to turn the device takes the space above the centred window.
    document.documentElement.style.setProperty('--window-height', height + 'px');
  }

  function showTurnHint(shown) {
    document.getElementById('turn-hint').hidden = !shown;
  }

  function focusTarget(index) {
    return controls[index].input || controls[index].element;
  }

  // The designed walk of the Tab key, and from its last control back to its first (a
  // page's own walk would leave for the browser's address bar).
  function setFocusOrder(indices) {
    focusOrder = indices.map(focusTarget);
    focusOrder.forEach((target, i) => { target.tabIndex = i + 1; });
    document.addEventListener('keydown', (event) => {
      if (event.key !== 'Tab' || messageOpen() || focusOrder.length === 0) return;
      const first = focusOrder[0];
      const last = focusOrder[focusOrder.length - 1];
      const wrapTo = event.shiftKey ? (document.activeElement === first ? last : null)
                                    : (document.activeElement === last ? first : null);
      if (wrapTo) {
        event.preventDefault();
        wrapTo.focus();
      }
    });
  }

  // spoken is what a screen reader says of the label; where it is not the text shown,
  // the shown text is hidden from screen readers and the words stand in for it.
  function setCaption(control, caption, spoken) {
    control.text.textContent = caption;
    if (!control.spoken) return;
    const inWords = spoken !== caption;
    control.spoken.textContent = inWords ? spoken : '';
    if (inWords) control.text.setAttribute('aria-hidden', 'true');
    else control.text.removeAttribute('aria-hidden');
  }

  // The window is hidden until it is made and placed (ready), and a hidden control
  // cannot take the focus: it goes to the one asked for last once the window shows.
  let focusWhenShown = null;
  function focus(index) {
    if (!document.body.classList.contains('ready')) focusWhenShown = focusTarget(index);
    else focusTarget(index).focus({preventScroll: true});
  }

  // Announcements, in the one polite live region: Orca says an assertive text only after
  // the polite ones it has queued. Chromium hands a screen reader the nodes added to a
  // live region in one accessibility update in no set order, and sends updates only so
  // often: so the texts go out in batches, at most one batch each kAnnounceSpacingMs,
  // each batch a new node (a text said before is said again) holding its texts in
  // order, one span each. A text that drops the rest drops what is still unsent.
  // The spacing outlasts the update after a click, Chromium's slowest: on a busy machine
  // it reached Orca up to half a second late, so with batches 250 ms apart the first
  // batch of a fast run was sometimes spoken after the second.
  const kAnnounceSpacingMs = 500;
  let unsent = [];
  let lastSent = -Infinity;
  let sendTimer = null;
  function sendAnnouncements() {
    sendTimer = null;
    lastSent = performance.now();
    const batch = element('p', '', announcer);
    for (const text of unsent) {
      element('span', '', batch).textContent = text;
      batch.append(' ');
    }
    unsent = [];
    while (announcer.childNodes.length > 40) announcer.removeChild(announcer.firstChild);
  }
  function announce(text, dropsTheRest) {
    if (dropsTheRest) unsent = [];
    unsent.push(text);
    if (sendTimer !== null) return;
    const wait = Math.max(0, lastSent + kAnnounceSpacingMs - performance.now());
    sendTimer = setTimeout(sendAnnouncements, wait);
  }

  // The modal message box. Nothing behind it takes input; Enter, the space bar or a click
  // on its button closes it (Escape too, as on the desktop), also after a click on the
  // window behind it, and the focus goes back where it was. Browsers without <dialog>
  // (Safari before 15.4, Firefox before 98) get a box of the same look and role, over a
  // backdrop that takes the clicks meant for the window, with the keys kept to itself.
  const nativeDialog = typeof HTMLDialogElement === 'function';
  const message = element(nativeDialog ? 'dialog' : 'div', 'message', document.body);
  const backdrop = nativeDialog ? null : element('div', 'message-backdrop', document.body);
  if (!nativeDialog) {
    message.setAttribute('role', 'dialog');
    message.setAttribute('aria-modal', 'true');
    message.hidden = backdrop.hidden = true;
  }
  message.setAttribute('aria-labelledby', 'message-title');
  message.setAttribute('aria-describedby', 'message-text');
  const messageTitle = element('div', 'message-title', message);
  messageTitle.id = 'message-title';
  const messageText = element('p', 'message-text', message);
  messageText.id = 'message-text';
  const messageButton = element('button', 'message-button', message);
  messageButton.type = 'button';
  let focusBeforeMessage = null;
  // The focus goes back at once: the close event comes a task later, by when a click
  // may already have put the focus elsewhere.
  function restoreFocus() {
    if (focusBeforeMessage) focusBeforeMessage.focus({preventScroll: true});
    focusBeforeMessage = null;
  }
  function messageOpen() {
    return nativeDialog ? message.open : !message.hidden;
  }
  function openMessage() {
    if (nativeDialog) {
      message.showModal();
      return;
    }
    message.hidden = backdrop.hidden = false;
    windowElement.setAttribute('aria-hidden', 'true');
  }
  function closeMessage() {
    if (nativeDialog) message.close();
    else {
      message.hidden = backdrop.hidden = true;
      windowElement.removeAttribute('aria-hidden');
    }
    restoreFocus();
  }
  messageButton.addEventListener('click', closeMessage);
  message.addEventListener('cancel', (event) => {  // Escape
    event.preventDefault();
    closeMessage();
  });
  message.addEventListener('close', restoreFocus);
  message.addEventListener('click', (event) => {
    if (event.target !== messageButton) messageButton.focus();
  });
  if (!nativeDialog) {
    backdrop.addEventListener('mousedown', (event) => event.preventDefault());
    backdrop.addEventListener('click', () => messageButton.focus());
    // What a modal <dialog> does by itself: Escape cancels it, and Tab stays inside.
    document.addEventListener('keydown', (event) => {
      if (!messageOpen()) return;
      if (event.key === 'Escape' || event.key === 'Esc') {
        event.preventDefault();
        closeMessage();
      } else if (event.key === 'Tab') {
        event.preventDefault();
        messageButton.focus();
      }
    });
  }
  message.addEventListener('keydown', (event) => {
    if (document.activeElement === messageButton) return;
    if (event.key === 'Enter' || event.key === ' ') {
      event.preventDefault();
      closeMessage();
    }
  });

  function showMessage(title, text, button) {
    messageTitle.textContent = title;
    messageText.textContent = text;
    messageButton.textContent = button;
    if (messageOpen()) return;
    focusBeforeMessage = document.activeElement;
    openMessage();
    messageButton.focus();
  }

  // Wake-ups due soon. setTimeout holds chained timers to 4 ms at least; a message to
  // the page itself comes sooner. But after a click Chromium runs no other task until
  // the click's frame is drawn, which would hold the run's first problem, due 1 ms after
  // the click, back by a frame: a wake-up due within 2 ms is waited out right after the
  // handler that asked for it has returned, before the browser draws.
  const channel = new MessageChannel();
  // queueMicrotask is missing before Chrome 71 and Safari 12.1; a settled promise's
  // reaction is the same microtask.
  const runSoon = typeof queueMicrotask === 'function'
    ? queueMicrotask : (task) => { Promise.resolve().then(task); };
  const soon = [];
  channel.port1.onmessage = () => {
    const due = soon.shift();
    if (due) due();
  };
  function wakeAfter(timer, milliseconds) {
    cancelWake(timer);
    const wake = () => {
      wakeUps[timer] = null;
      call('zelkor_timer_woke', timer);
    };
    if (milliseconds >= 4) {
      const id = setTimeout(wake, milliseconds);
      wakeUps[timer] = () => clearTimeout(id);
      return;
    }
    const until = performance.now() + milliseconds;
    let cancelled = false;
    wakeUps[timer] = () => { cancelled = true; };
    if (milliseconds <= 2) {
      runSoon(() => {
        while (!cancelled && performance.now() < until) { /* at most 2 ms */ }
        if (!cancelled) wake();
      });
      return;
    }
    const poll = () => {
      if (cancelled) return;
      if (performance.now() >= until) wake();
      else {
        soon.push(poll);
        channel.port2.postMessage(0);
      }
    };
    poll();
  }

  function cancelWake(timer) {
    if (wakeUps[timer]) wakeUps[timer]();
    wakeUps[timer] = null;
  }

  // The page never scrolls (the window shrinks to fit instead), so the viewport's size
  // is the layout viewport's, read without forcing a layout.
  function fitViewport() {
    call('zelkor_viewport', window.innerWidth, window.innerHeight);
  }

  // The Song face's two weights load from the start, while the module compiles: an
  // engine loads a face only once text in it is laid out, and a window shown before its
  // face has come shows its controls without their captions until it does. The window
  // waits for them as long as the engines wait for a face before they fall back (3 s).
  const kFontWaitMs = 3000;
  const fontsLoaded = Promise.all(['16px "Zelkor Song"', 'bold 16px "Zelkor Song"'].map(
      (font) => document.fonts.load(font, '出题'))).catch(() => {});
  const fontsOrTimeout = Promise.race([
    fontsLoaded, new Promise((done) => setTimeout(done, kFontWaitMs))]);

  function show() {
    document.body.classList.add('ready');
    document.getElementById('cannot-run').hidden = true;  // said too early (notice.js)
    if (focusWhenShown) focusWhenShown.focus({preventScroll: true});
  }

  // The module is running and the window made: fit it, show it once its face is there,
  // and from now on hand over the page's events.
  function ready() {
    fitViewport();
    window.addEventListener('resize', fitViewport);
    window.addEventListener('orientationchange', fitViewport);
    // A hidden or frozen page's timers are throttled or stopped: when it is shown or
    // resumed (a resumed page may still be hidden), the stopwatch counts the time that
    // passed meanwhile.
    const woke = () => call('zelkor_page_woke');
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'visible') woke();
    });
    document.addEventListener('resume', woke);
    window.addEventListener('pageshow', woke);
    fontsOrTimeout.then(show);
  }

  return {
    createControl, place, setWindowSize, showTurnHint, setFocusOrder, focus, announce,
    showMessage, wakeAfter, cancelWake, ready,
    setCaption: (index, caption, spokenName) => setCaption(controls[index], caption, spokenName),
    setVisible: (index, visible) => { controls[index].element.hidden = !visible; },
    text: (index) => controls[index].input.value,
    isChecked: (index) => controls[index].input.checked,
    attach: (runtime) => { module = runtime; },
  };
})();

var Module = {
  onRuntimeInitialized: function () { zelkorPage.attach(Module); },
};

// The hosted page holds two builds of the drill and loads one: the WebAssembly build where
// this browser may compile WebAssembly under the page's policy, the plain JavaScript one
// where it may not (no WebAssembly, JIT turned off, a policy without its keyword in
// Chrome before 97 and Safari before 16). It asks before loading either, by compiling an
// empty module: the JavaScript build declares a WebAssembly of its own. The single page
// carries the JavaScript build inline, after this script. The folder's index.html
// opened from a disk runs the JavaScript build too: a page from a disk may not fetch the
// WebAssembly build's module.
function webAssemblyRuns() {
  try {
    const empty = new Uint8Array([0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00]);
    return typeof WebAssembly === 'object' &&
           new WebAssembly.Module(empty) instanceof WebAssembly.Module;
  } catch (refused) {
    return false;
  }
}
if (document.documentElement.dataset.builds) {
  const [webAssemblyBuild, plainBuild] = document.documentElement.dataset.builds.split(' ');
  const build = document.createElement('script');
  build.src = location.protocol !== 'file:' && webAssemblyRuns() ? webAssemblyBuild : plainBuild;
  document.body.appendChild(build);
}

// Served from a host (not opened from disk), the page keeps its own files for offline use.
if ('serviceWorker' in navigator && location.protocol.startsWith('http') &&
    document.documentElement.dataset.offline === 'yes') {
  window.addEventListener('load', () => navigator.serviceWorker.register('sw.js'));
}
