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

// File names of the runtime library, per kind, as the export copies them.
export const RUNTIME_FILES = {
  webgl: ['BoneModel3D.js', 'Material.js', 'Matrix3D.js', 'Model3D.js', 'GLSL.js', 'Orvakis3D.js', 'Vector3D.js'],
  webgpu: ['BoneModel3D.js', 'Material.js', 'Matrix3D.js', 'Model3D.js', 'Zentrel3D.js', 'Vector3D.js', 'WGSL.js'],
};

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
      const source = path.join(runtimeDir, kind, file);
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
