// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A static server for a folder on the loopback address, as any static host
// serves the site: gzip where the browser asks for it, and the bytes sent
// counted. Its caching is a host's: by default an ETag to revalidate with on
// every load; 'max-age=600' lets the browser keep each file ten minutes, as
// GitHub Pages does; 'last-modified' sends that date alone, from which the
// browser guesses how long to keep it. Given a promise `until`, it answers
// nothing before that has settled, as a slow network would. Its faults, by
// file name or by extension, are what a school's network and hosts do:
// 'drop' ends the connection unanswered, 'hang' never answers, a number
// answers with that status, 'index' answers with the site's index page, as
// hosts for single-page apps do, and 'untyped' sends the file as bytes of no
// known type, which a browser told not to guess refuses to run. With
// `missing: 'index'` every file it does not have is answered so. Publish()
// puts another version in place of the one served, all at once, or, while an
// upload is under way, only the files named first: until the upload is done
// the others are the old version's where it had them, and missing where not.
import { readdirSync } from 'node:fs';
import { readFile, stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { basename, extname, join, normalize } from 'node:path';
import { gzipSync } from 'node:zlib';

const types = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.webmanifest': 'application/manifest+json',
    '.svg': 'image/svg+xml',
    '.png': 'image/png',
};

// The ETag names the file as sent, its type included.
function Caching(cache, size, mtime, type) {
    const modified = { 'Last-Modified': new Date(mtime).toUTCString() };
    return {
        'no-cache': { 'Cache-Control': 'no-cache', ETag: `"${size}-${mtime}-${type}"` },
        'max-age=600': { 'Cache-Control': 'max-age=600', ...modified },
        'last-modified': modified,
    }[cache];
}

export async function Serve(folder, { until, cache = 'no-cache', missing = 404 } = {}) {
    const server = createServer(async (request, response) => {
        await until;
        let path = normalize(decodeURIComponent(new URL(request.url, 'http://host').pathname));
        if (path.endsWith('/')) {
            path += 'index.html';
        }
        const name = basename(path);
        const fault = server.faults[name] ?? server.faults[extname(name)];
        if (fault === 'drop') {
            request.socket.destroy();
            return;
        }
        if (fault === 'hang') {
            return;
        }
        if (typeof fault === 'number') {
            response.writeHead(fault).end();
            return;
        }
        const uploaded = !server.pending.has(name);
        let file = join(uploaded ? server.folder : server.before, path);
        if (fault === 'index' || (missing === 'index' && !(await Exists(file)))) {
            file = join(server.folder, 'index.html');
            path = file;
        }
        try {
            const { size, mtimeMs } = await stat(file);
            const type = fault === 'untyped' ? 'application/octet-stream' : types[extname(path)] ?? 'application/octet-stream';
            const headers = Caching(cache, size, mtimeMs, type);
            if (headers.ETag && request.headers['if-none-match'] === headers.ETag) {
                response.writeHead(304).end();
                return;
            }
            if (headers['Last-Modified'] && request.headers['if-modified-since'] === headers['Last-Modified']) {
                response.writeHead(304, headers).end();
                return;
            }
            let body = await readFile(file);
            headers['Content-Type'] = type;
            if (fault === 'untyped') {
                headers['X-Content-Type-Options'] = 'nosniff';
            }
            if (/\bgzip\b/.test(request.headers['accept-encoding'] ?? '') && !path.endsWith('.png')) {
                body = gzipSync(body, { level: 9 });
                headers['Content-Encoding'] = 'gzip';
            }
            server.sent += body.length;
            response.writeHead(200, headers).end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    Object.assign(server, {
        folder, before: folder, pending: new Set(), faults: {}, sent: 0,
        Publish(version, first) {
            server.before = server.folder;
            server.folder = version;
            server.pending = new Set(first ? readdirSync(version).filter((name) => !first.includes(name)) : []);
        },
    });
    // Closing ends every connection, a hung one too.
    const close = server.close.bind(server);
    server.close = () => {
        close();
        server.closeAllConnections();
    };
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    server.url = `http://127.0.0.1:${server.address().port}/`;
    return server;
}

const Exists = (file) => stat(file).then(() => true, () => false);
