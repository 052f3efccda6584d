// Shared pieces of the browser tests and the frame-rate script: headless Chromium with software
// WebGL and WebGPU, a static file server on 127.0.0.1, staging of exported sites and reading the
// exported files back for what a page should show.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

export const SOURCE_DIR = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
export const KINDS = ['webgl', 'webgpu'];

// File names of the runtime library, per kind, as the export copies them: the one list the build
// and the export read too.
const RUNTIME_LIST = JSON.parse(fs.readFileSync(path.join(SOURCE_DIR, 'web_runtime', 'runtime_files.json'), 'utf8'));
export const RUNTIME_FILES = { webgl: RUNTIME_LIST.webgl, webgpu: RUNTIME_LIST.webgpu };

// Where a runtime file of a kind is below a runtime folder: the built one (bin/DoNotTouch) holds
// every file in each kind's folder; the source tree (web_runtime/) keeps the files both kinds use in shared/.
export function runtimeFile(runtimeDir, kind, file) {
  const own = path.join(runtimeDir, kind, file);
  if (fs.existsSync(own)) return own;
  const shared = path.join(runtimeDir, 'shared', file);
  return fs.existsSync(shared) ? shared : own;
}

export const CHROMIUM_ARGS = [
  '--no-sandbox', '--no-first-run', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--disable-quic', '--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--use-gl=angle',
  '--enable-unsafe-webgpu', '--use-webgpu-adapter=swiftshader', '--enable-features=Vulkan', '--use-vulkan=swiftshader',
];

export async function launchBrowser() {
  let chromium;
  try {
    ({ chromium } = await import('playwright-core'));
  } catch (e) {
    throw new Error('playwright-core is missing: run `npm ci` in the repository root (scripts/deps.sh does). ' + e.message);
  }
  return chromium.launch({ executablePath: process.env.QV_CHROMIUM || '/usr/bin/chromium', headless: true, args: CHROMIUM_ARGS });
}

const MIME = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.png': 'image/png', '.jpg': 'image/jpeg', '.jpeg': 'image/jpeg', '.bmp': 'image/bmp', '.gif': 'image/gif',
  '.tga': 'application/octet-stream',
};

// Serves a folder read-only on 127.0.0.1 at a free port. Resolves to { url, close }.
export function startServer(root) {
  const base = path.resolve(root);
  const server = http.createServer((request, response) => {
    let name;
    try {
      name = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    // The browser asks for an icon on its own; the page never names one.
    if (name === '/favicon.ico') {
      response.writeHead(204).end();
      return;
    }
    const file = path.resolve(base, '.' + name);
    if (file !== base && !file.startsWith(base + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404, { 'content-type': 'text/plain' }).end('not found');
        return;
      }
      response.writeHead(200, {
        'content-type': MIME[path.extname(file).toLowerCase()] || 'application/octet-stream',
        'cache-control': 'no-store',
      });
      response.end(data);
    });
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({
        url: `http://127.0.0.1:${port}/`,
        close: () => new Promise((done) => {
          server.closeAllConnections?.();
          server.close(() => done());
        }),
      });
    });
  });
}

// The exported sites below a folder: every sub-folder (or the folder itself) holding a page T.html.
// Each site lists the kinds it holds (a kind folder with the scene script T.js).
export function findSites(pagesDir) {
  const candidates = [pagesDir, ...fs.readdirSync(pagesDir, { withFileTypes: true })
    .filter((e) => e.isDirectory()).map((e) => path.join(pagesDir, e.name))];
  const sites = [];
  for (const dir of candidates) {
    for (const page of fs.readdirSync(dir).filter((n) => n.endsWith('.html')).sort()) {
      const title = page.slice(0, -'.html'.length);
      const kinds = KINDS.filter((k) => fs.existsSync(path.join(dir, k, `${title}.js`)));
      if (kinds.length > 0) sites.push({ dir, title, kinds, name: path.relative(pagesDir, dir) || path.basename(dir) });
    }
  }
  return sites;
}

// Copies a site to a fresh temporary folder ready to serve for one kind: runtime files the site
// lacks come from runtimeDir, and the page loads that kind's scene script (an export of both
// kinds into one folder keeps only the later kind's page).
export function stageSite(site, kind, runtimeDir) {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-web-'));
  fs.cpSync(site.dir, root, { recursive: true });
  const filled = [];
  for (const file of RUNTIME_FILES[kind]) {
    const target = path.join(root, kind, file);
    if (!fs.existsSync(target)) {
      const source = runtimeFile(runtimeDir, kind, file);
      if (!fs.existsSync(source)) throw new Error(`runtime file missing: ${source}`);
      fs.copyFileSync(source, target);
      filled.push(file);
    }
  }
  const pagePath = path.join(root, `${site.title}.html`);
  const page = fs.readFileSync(pagePath, 'utf8');
  const other = KINDS.find((k) => k !== kind);
  fs.writeFileSync(pagePath, page.replace(`<script src="${other}/${site.title}.js">`, `<script src="${kind}/${site.title}.js">`));
  return { root, pageUrl: encodeURIComponent(site.title) + '.html', filled, remove: () => fs.rmSync(root, { recursive: true, force: true }) };
}

// What the exported files say the page must show.
export function readExpectations(site, kind) {
  const css = fs.readFileSync(path.join(site.dir, 'css', 'styles.css'), 'utf8');
  const colour = /background-color:\s*#([0-9a-fA-F]{6})/.exec(css);
  if (!colour) throw new Error('no background colour in the style sheet');
  const background = [0, 2, 4].map((i) => parseInt(colour[1].slice(i, i + 2), 16));
  const script = fs.readFileSync(path.join(site.dir, kind, `Model_${site.title}.js`), 'utf8');
  const materials = [];
  for (const m of script.matchAll(/this\.setMaterial\(([^;]*)\);/g)) {
    const numbers = m[1].split(',').slice(0, 9).map(Number);
    const texture = /"((?:[^"\\]|\\.)*)"/.exec(m[1]);
    materials.push({
      colour: numbers.slice(0, 4), diffuse: numbers[4], ambient: numbers[5], emissive: numbers[6],
      specular: numbers[7], power: numbers[8], texture: texture ? JSON.parse(`"${texture[1]}"`) : null,
    });
  }
  const vertexCount = (script.match(/this\.setB\(/g) || []).length;
  // Frames of the first animation, each the text of its matrices.
  const frames = [];
  const end = script.indexOf('this.setMatrix3();');
  const block = end < 0 ? '' : script.slice(0, end);
  let current = [];
  for (const line of block.split('\n')) {
    if (line.includes('this.setMatrix([')) current.push(line.trim());
    else if (line.includes('this.setMatrix2();')) {
      frames.push(current.join('|'));
      current = [];
    }
  }
  const moving = frames.some((f) => f !== frames[0]);
  const scene = fs.readFileSync(path.join(site.dir, kind, `${site.title}.js`), 'utf8');
  const size = /width=\\?"(\d+)\\?" height=\\?"(\d+)\\?"/.exec(scene) || /width="(\d+)" height="(\d+)"/.exec(scene);
  return {
    dir: site.dir, background, materials, vertexCount, frameCount: frames.length, moving,
    width: size ? Number(size[1]) : null, height: size ? Number(size[2]) : null,
    textured: vertexCount > 0 && materials.some((m) => m.texture),
  };
}

// ---- PNG decoding of screenshots (8-bit RGB or RGBA, not interlaced) ----
export function decodePng(buffer) {
  if (buffer.readUInt32BE(0) !== 0x89504e47) throw new Error('not a PNG');
  let offset = 8;
  let width = 0, height = 0, colourType = 0;
  const data = [];
  while (offset < buffer.length) {
    const length = buffer.readUInt32BE(offset);
    const type = buffer.toString('ascii', offset + 4, offset + 8);
    const body = buffer.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0) throw new Error('unsupported PNG layout');
      colourType = body[9];
    } else if (type === 'IDAT') {
      data.push(body);
    } else if (type === 'IEND') {
      break;
    }
    offset += 12 + length;
  }
  const channels = { 2: 3, 6: 4 }[colourType];
  if (!channels) throw new Error('unsupported PNG colour type ' + colourType);
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const pixels = new Uint8Array(width * height * 4);
  let previous = new Uint8Array(stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const row = new Uint8Array(stride);
    for (let x = 0; x < stride; x++) {
      const a = x >= channels ? row[x - channels] : 0;
      const b = previous[x];
      const c = x >= channels ? previous[x - channels] : 0;
      let v = line[x];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c;
        const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      row[x] = v & 255;
    }
    for (let x = 0; x < width; x++) {
      pixels[(y * width + x) * 4] = row[x * channels];
      pixels[(y * width + x) * 4 + 1] = row[x * channels + 1];
      pixels[(y * width + x) * 4 + 2] = row[x * channels + 2];
      pixels[(y * width + x) * 4 + 3] = channels === 4 ? row[x * channels + 3] : 255;
    }
    previous = row;
  }
  return { width, height, pixels, at: (x, y) => Array.from(pixels.subarray((y * width + x) * 4, (y * width + x) * 4 + 3)) };
}

export const colourDistance = (a, b) => Math.max(Math.abs(a[0] - b[0]), Math.abs(a[1] - b[1]), Math.abs(a[2] - b[2]));

// ---- PNG encoding (8-bit RGBA), for pictures kept when a comparison fails ----
export function encodePng(width, height, rgba) {
  const chunk = (type, body) => {
    const head = Buffer.alloc(8);
    head.writeUInt32BE(body.length, 0);
    head.write(type, 4, 'ascii');
    const crc = Buffer.alloc(4);
    crc.writeUInt32BE(zlib.crc32(Buffer.concat([head.subarray(4), body])) >>> 0, 0);
    return Buffer.concat([head, body, crc]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8;
  header[9] = 6;
  const raw = Buffer.alloc(height * (width * 4 + 1));
  for (let y = 0; y < height; y++) {
    raw[y * (width * 4 + 1)] = 0;
    Buffer.from(rgba.buffer, rgba.byteOffset + y * width * 4, width * 4).copy(raw, y * (width * 4 + 1) + 1);
  }
  return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]), chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}

// Compares a page's picture with the viewport's of the same size. A pixel differs when no pixel
// of the other picture within one pixel of it is within `tolerance` on every channel (edges
// rasterise a little differently, and the page smooths them). Result: { differing, total, share,
// covered (pixels of the viewport's picture that are not its background), diff (RGBA picture:
// differing pixels red over a faded copy of the viewport's) }.
export function comparePictures(page, viewport, tolerance) {
  const { width, height } = viewport;
  if (page.width !== width || page.height !== height)
    throw new Error(`picture sizes differ: page ${page.width}x${page.height}, viewport ${width}x${height}`);
  const a = page.pixels, b = viewport.pixels;
  const close = (p, q) => Math.abs(a[p] - b[q]) <= tolerance && Math.abs(a[p + 1] - b[q + 1]) <= tolerance &&
    Math.abs(a[p + 2] - b[q + 2]) <= tolerance;
  // Whether pixel (x, y) of one picture has a match near (x, y) in the other.
  const matched = (x, y, pageSide) => {
    for (let dy = -1; dy <= 1; dy++) {
      for (let dx = -1; dx <= 1; dx++) {
        const nx = x + dx, ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
        const here = (y * width + x) * 4, there = (ny * width + nx) * 4;
        if (pageSide ? close(here, there) : close(there, here)) return true;
      }
    }
    return false;
  };
  const diff = new Uint8Array(width * height * 4);
  const background = [b[0], b[1], b[2]];
  let differing = 0, covered = 0;
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const i = (y * width + x) * 4;
      if (Math.abs(b[i] - background[0]) + Math.abs(b[i + 1] - background[1]) + Math.abs(b[i + 2] - background[2]) > 24) covered++;
      const bad = !close(i, i) && (!matched(x, y, true) || !matched(x, y, false));
      if (bad) {
        differing++;
        diff[i] = 255; diff[i + 1] = 0; diff[i + 2] = 0;
      } else {
        diff[i] = b[i] >> 2; diff[i + 1] = b[i + 1] >> 2; diff[i + 2] = b[i + 2] >> 2;
      }
      diff[i + 3] = 255;
    }
  }
  return { differing, total: width * height, share: differing / (width * height), covered, diff };
}
