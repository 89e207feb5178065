// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A static server for a folder on the loopback address, as any static host
// serves the site: gzip where the browser asks for it, an ETag to revalidate
// with, and the bytes sent counted. Given a promise `until`, it answers
// nothing before that has settled, as a slow network would.
import { readFile, stat } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import { gzipSync } from 'node:zlib';

const types = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.svg': 'image/svg+xml',
    '.png': 'image/png',
};

export async function Serve(folder, { until } = {}) {
    const server = createServer(async (request, response) => {
        await until;
        let path = normalize(decodeURIComponent(new URL(request.url, 'http://host').pathname));
        if (path.endsWith('/')) {
            path += 'index.html';
        }
        try {
            const file = join(folder, path);
            const { size, mtimeMs } = await stat(file);
            const tag = `"${size}-${mtimeMs}"`;
            if (request.headers['if-none-match'] === tag) {
                response.writeHead(304).end();
                return;
            }
            let body = await readFile(file);
            const headers = {
                'Content-Type': types[extname(path)] ?? 'application/octet-stream',
                'Cache-Control': 'no-cache',
                ETag: tag,
            };
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
    server.sent = 0;
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    server.url = `http://127.0.0.1:${server.address().port}/`;
    return server;
}
