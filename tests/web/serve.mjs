// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A static server for a folder on the loopback address, as any static host
// serves the site: gzip where the browser asks for it, and the bytes sent
// counted. Its caching is a host's: by default an ETag to revalidate with on
// every load; 'max-age=600' lets the browser keep each file ten minutes, as
// GitHub Pages does; 'last-modified' sends that date alone, from which the
// browser guesses how long to keep it. Given a promise `until`, it answers
// nothing before that has settled, as a slow network would. Its faults, by
// file name, are what a school's network and hosts do: 'drop' ends the
// connection unanswered, a number answers with that status, a function
// changes the file's text. The folder may change under it, as when a new
// version is published.
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

function Caching(cache, size, mtime) {
    const modified = { 'Last-Modified': new Date(mtime).toUTCString() };
    return {
        'no-cache': { 'Cache-Control': 'no-cache', ETag: `"${size}-${mtime}"` },
        'max-age=600': { 'Cache-Control': 'max-age=600', ...modified },
        'last-modified': modified,
    }[cache];
}

export async function Serve(folder, { until, cache = 'no-cache' } = {}) {
    const server = createServer(async (request, response) => {
        await until;
        let path = normalize(decodeURIComponent(new URL(request.url, 'http://host').pathname));
        if (path.endsWith('/')) {
            path += 'index.html';
        }
        const fault = server.faults[basename(path)];
        if (fault === 'drop') {
            request.socket.destroy();
            return;
        }
        if (typeof fault === 'number') {
            response.writeHead(fault).end();
            return;
        }
        try {
            const file = join(server.folder, path);
            const { size, mtimeMs } = await stat(file);
            const headers = Caching(cache, size, mtimeMs);
            if (headers.ETag && request.headers['if-none-match'] === headers.ETag) {
                response.writeHead(304).end();
                return;
            }
            if (headers['Last-Modified'] && request.headers['if-modified-since'] === headers['Last-Modified']) {
                response.writeHead(304, headers).end();
                return;
            }
            let body = await readFile(file);
            if (typeof fault === 'function') {
                body = Buffer.from(fault(body.toString()));
            }
            headers['Content-Type'] = types[extname(path)] ?? 'application/octet-stream';
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
    Object.assign(server, { folder, faults: {}, sent: 0 });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    server.url = `http://127.0.0.1:${server.address().port}/`;
    return server;
}
