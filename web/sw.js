// SPDX-License-Identifier: MIT
// The service worker: keeps a copy of every file of the site, so that the page opens and works
// without a network once it has been visited. A new build names a new version, and the copy of the
// old one is dropped when the new one is complete.
'use strict';

const VERSION = '@VERSION@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(
    caches.open(VERSION).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(names.filter((name) => name !== VERSION).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

// The site's files from the copy, anything else (there is nothing else) from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    caches.open(VERSION).then((cache) =>
      cache.match(event.request, { ignoreSearch: true }).then((hit) => hit || fetch(event.request)),
    ),
  );
});
