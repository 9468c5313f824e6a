// A small static file server for the site, on 127.0.0.1 only: for a look at the page
// (tools/serve-web) and for the browser test. It serves as a static host does: text and
// WebAssembly compressed (Brotli or gzip, as the browser takes them), with an ETag and
// Cache-Control: no-cache, so a browser keeps each file and asks once a visit whether it
// changed (the names carry no digest, so none may be kept unasked). Service workers need
// a secure context, which localhost is.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { createHash } from 'node:crypto';
import { extname, join, normalize, sep } from 'node:path';
import { pathToFileURL } from 'node:url';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png',
};
const COMPRESSED = new Set(['.html', '.js', '.css', '.wasm', '.webmanifest']);
const ENCODINGS = {
  br: body => brotliCompressSync(body, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }),
  gzip: body => gzipSync(body, { level: 9 }),
};
const compressed = new Map();  // "encoding etag": the body, compressed once

// Serves the folder root on the port (0: any free one); resolves to the server.
export function serve(root, port = 0) {
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
    try {
      if (!file.startsWith(normalize(root) + sep)) throw new Error('outside the site');
      let body = await readFile(file);
      const etag = '"' + createHash('sha256').update(body).digest('base64url').slice(0, 16) + '"';
      const headers = { 'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-cache',
        ETag: etag, Vary: 'Accept-Encoding' };
      if (request.headers['if-none-match'] === etag) return response.writeHead(304, headers).end();
      const accepted = (request.headers['accept-encoding'] ?? '').split(/\s*,\s*/).map(e => e.split(';')[0]);
      const encoding = Object.keys(ENCODINGS).find(e => accepted.includes(e));
      if (COMPRESSED.has(extname(file)) && encoding) {
        const key = encoding + ' ' + etag;
        if (!compressed.has(key)) compressed.set(key, ENCODINGS[encoding](body));
        body = compressed.get(key);
        headers['Content-Encoding'] = encoding;
      }
      response.writeHead(200, headers).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise(resolve => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const server = await serve(process.argv[2], Number(process.argv[3] ?? 8080));
  console.log(`Serving ${process.argv[2]} at http://localhost:${server.address().port}/ (Ctrl+C stops)`);
}
