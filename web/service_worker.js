// The site's service worker (CACHE_PREFIX, CACHE and FILES are written above
// it when the site is packed): keeps every file of the site in a cache named
// by the version and the files' hash, answers from that cache, and drops the
// caches of its older builds, and no other.
'use strict';
self.addEventListener('install', (event) => {
  // Straight from the network: a copy the HTTP cache still holds may be older.
  const requests = FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});
self.addEventListener('activate', (event) => {
  const older = (name) => name.startsWith(CACHE_PREFIX) && name !== CACHE;
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter(older).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(event.request)));
});
