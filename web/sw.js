// Keeps the page's own files, and nothing else, so that the drill opens offline once it
// has been loaded, and can be added to a tablet's home screen.
//
// A version is kept whole or not at all. The build wrote each file's SHA-256 below; the
// install fetches every file past the browser's HTTP cache, and keeps the set only if
// each matches. A server holding a mix (an upload under way, an old file left over)
// fails the install, the version already kept goes on serving, and the next open tries
// again. A new version takes over once no open page runs the old one, so that no page
// ever mixes the two.
//
// Its caches are named for this copy of the site (the worker's scope) and its version:
// another copy on the same server, or another application, keeps its own.
'use strict';
const VERSION = '@VERSION@';
const FILES = @FILES@;  // each file's address, relative to the scope, and its SHA-256
const PREFIX = 'zelkor ' + self.registration.scope + ' ';
const CACHE = PREFIX + VERSION;

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, '0')).join('');
}

// The file as the server has it now, if it is the one this version was built with.
function fetchChecked(file) {
  return fetch(new Request(file, {cache: 'no-store'})).then((response) => {
    if (!response.ok) throw new Error(`${file}: ${response.status}`);
    return response.clone().arrayBuffer()
        .then((body) => crypto.subtle.digest('SHA-256', body))
        .then((digest) => {
          if (hex(digest) !== FILES[file]) throw new Error(`${file}: not this version's`);
          return response;
        });
  });
}

function keepAll() {
  const files = Object.keys(FILES);
  return Promise.all(files.map(fetchChecked)).then((responses) => caches.open(CACHE)
      .then((cache) => Promise.all(responses.map((r, i) => cache.put(files[i], r))))
      .catch((error) => caches.delete(CACHE).then(() => { throw error; })));
}

self.addEventListener('install', (event) => event.waitUntil(keepAll()));

// Builds before this one named their caches "zelkor-" and the version, for no scope:
// such a cache is this copy's only if everything it holds lies under this scope.
function onlyUnderScope(name) {
  return caches.open(name).then((cache) => cache.keys()).then((requests) =>
    requests.every((request) => request.url.startsWith(self.registration.scope)));
}

function isOldCacheOfThisCopy(name) {
  if (name.startsWith(PREFIX)) return Promise.resolve(name !== CACHE);
  if (/^zelkor-[0-9a-f]{16}$/.test(name)) return onlyUnderScope(name);
  return Promise.resolve(false);
}

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names.map((name) =>
    isOldCacheOfThisCopy(name).then((old) => old && caches.delete(name))))));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE)
                        .then((cache) => cache.match(request, {ignoreSearch: true}))
                        .then((kept) => kept || fetch(request)));
});
