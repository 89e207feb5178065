// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the site's own files, so that after one visit the page opens with no
// network. The build writes the version, a digest of all the files, so that a
// new version is a new worker: it takes over at once and drops the old files,
// and the next visit shows it.
'use strict';

const VERSION = '@VERSION@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(VERSION).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(
        caches.keys()
            .then((names) => Promise.all(names.filter((name) => name !== VERSION).map((name) => caches.delete(name))))
            .then(() => self.clients.claim()),
    );
});

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET') {
        return;
    }
    event.respondWith(
        caches.open(VERSION)
            .then((cache) => cache.match(event.request, { ignoreSearch: true }))
            .then((cached) => cached || fetch(event.request)),
    );
});
