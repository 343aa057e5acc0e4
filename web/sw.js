// Keeps the page's own files, and nothing else, so that the drill opens offline once it
// has been loaded, and can be added to a tablet's home screen. Each build has its own
// cache; an old one goes when the new worker takes over.
'use strict';
const CACHE = 'zelkor-@VERSION@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES))
                      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
                      .then((keys) => Promise.all(
                          keys.filter((key) => key !== CACHE).map((key) => caches.delete(key))))
                      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE)
                        .then((cache) => cache.match(request, {ignoreSearch: true}))
                        .then((kept) => kept || fetch(request)));
});
