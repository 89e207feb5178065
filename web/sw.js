// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the site's own files, so that after one visit the page opens with no
// network. The build writes the version, a digest of all the files, so that
// a new version is a new worker. A file whose name carries the version is
// taken as the browser has it, most often from the page's own load; any other
// is asked of the server again, since a host may let the browser keep an
// older version of it for a while. The worker takes over at once, and keeps
// the version before it for a page of that version that is still open.
'use strict';

const VERSION = '@VERSION@';
const FILES = @FILES@;
// Other sites of the same host, and other copies of this one, keep their own;
// versions before these names were named by their version alone.
const OURS = `${self.registration.scope} `;
const CACHE = OURS + VERSION;
const Ours = () => caches.keys()
    .then((names) => names.filter((name) => name.startsWith(OURS) || /^korvelata-[0-9a-f]{16}$/.test(name)));

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE)
        .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: file.includes('?v=') ? 'default' : 'no-cache' }))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(
        Ours()
            .then((names) => Promise.all(names.slice(0, Math.max(0, names.indexOf(CACHE) - 1))
                .map((name) => caches.delete(name))))
            .then(() => self.clients.claim()),
    );
});

// A version's files are whole in its cache, and a page asks for its own by
// names that carry its version: so the newest cache that has the file. The
// page itself answers to any query after its address.
async function Cached(request) {
    for (const name of (await Ours()).reverse()) {
        const file = await (await caches.open(name)).match(request, { ignoreSearch: request.mode === 'navigate' });
        if (file) {
            return file;
        }
    }
    return undefined;
}

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET') {
        return;
    }
    event.respondWith(Cached(event.request).then((cached) => cached || fetch(event.request)));
});
