// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the site's own files, so that after one visit the page opens with no
// network. The build writes the version, a digest of all the files, so that
// a new version is a new worker, and each file's digest: a version is kept
// only when every file it needs is its own, byte for byte, whatever the host
// answers meanwhile (an older file, an error, its index page), and is tried
// again at the next visit. A file the page can do without (the manifest and
// the icons) is kept where the host gives it. The worker takes over at once
// and keeps the version before it for a page of that version still open.
'use strict';

const VERSION = '@VERSION@';
const FILES = @FILES@;
// Other sites of the same host, and other copies of this one, keep their own;
// versions before these names were named by their version alone.
const OURS = `${self.registration.scope} `;
const CACHE = OURS + VERSION;
const Ours = () => caches.keys()
    .then((names) => names.filter((name) => name.startsWith(OURS) || /^korvelata-[0-9a-f]{16}$/.test(name)));

// The files are fetched whole before the cache is made anew, so that the
// newest cache is always this version's, also when it is the one before
// published again, and never half of one.
async function Keep() {
    const files = await Promise.all(FILES.map(({ url, integrity, optional }) =>
        fetch(new Request(url, { integrity, cache: 'no-cache' }))
            .then((response) => {
                if (!response.ok) {
                    throw new Error(`${url}: ${response.status}`);
                }
                return [url, response];
            })
            .catch((error) => {
                if (optional) {
                    return undefined;
                }
                throw error;
            })));
    await caches.delete(CACHE);
    const cache = await caches.open(CACHE);
    await Promise.all(files.filter(Boolean).map(([url, response]) => cache.put(url, response)))
        .catch((error) => caches.delete(CACHE).then(() => Promise.reject(error)));
}

self.addEventListener('install', (event) => {
    event.waitUntil(Keep().then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(
        Ours()
            .then((names) => {
                const at = names.indexOf(CACHE);
                return Promise.all(names.filter((name, k) => k !== at && k !== at - 1).map((name) => caches.delete(name)));
            })
            .then(() => self.clients.claim()),
    );
});

// The page answers to its folder and to index.html, with any query or
// fragment; only this version's page, since an older one would be kept on
// beside it.
function PageOf(request) {
    const { pathname } = new URL(request.url);
    const folder = new URL(self.registration.scope).pathname;
    const page = request.mode === 'navigate' && (pathname === folder || pathname === `${folder}index.html`);
    return page ? new Request(self.registration.scope) : undefined;
}

// A file from this version, or from the version before for a page of it
// still open.
async function Cached(request) {
    for (const cacheName of [CACHE, ...(await Ours()).reverse()]) {
        const file = await caches.match(request, { cacheName, ignoreSearch: true });
        if (file) {
            return file;
        }
    }
    return undefined;
}

// A cache the browser has cleared, to make room or after long disuse, is
// filled again at the next visit online.
let refilling;
function Refill() {
    if (!refilling) {
        refilling = Keep().catch(() => {}).finally(() => (refilling = undefined));
    }
    return refilling;
}

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET') {
        return;
    }
    const page = PageOf(event.request);
    const kept = page ? caches.match(page, { cacheName: CACHE }) : Cached(event.request);
    // Where the storage fails, the network still answers.
    event.respondWith(kept.catch(() => undefined).then((file) => {
        if (!file && page) {
            event.waitUntil(Refill());
        }
        return file ?? fetch(event.request);
    }));
});
