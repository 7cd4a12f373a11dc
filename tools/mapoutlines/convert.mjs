// Writes the map outline files data/Map_State.dat, data/Map_County.dat,
// data/Map_Country.dat and data/Map_Canada.dat from public-domain boundary
// data.
//
// Sources (exact versions pinned in package.json and package-lock.json):
//   us-atlas 3.0.1, counties-10m.json: the US Census Bureau's cartographic
//     county boundary files, 2017 edition, simplified and quantized by the
//     package; its states are the merged counties. Works of the US federal
//     government are in the public domain. The package's code is ISC-licensed.
//   world-atlas 2.0.2, countries-50m.json: Natural Earth Admin 0 countries,
//     version 4.1.0, 1:50m. Natural Earth data are in the public domain.
//     Packaging ISC-licensed.
//   topojson-client 3.1.0 (ISC) decodes the TopoJSON.
//   provinces.txt, written by provinces.R from the Debian package
//     r-cran-rnaturalearthdata: Natural Earth Admin 1 states and provinces,
//     1:50m, Canada's thirteen provinces and territories. Public domain
//     (the package is CC0). Without that file the Canada layer is left as it
//     is.
//
// Each layer is the mesh of its polygons: every shared border and every
// coast appears once, as polylines stitched from the topology's arcs (for
// the provinces, from the rings' edges, each kept the first time it comes).
// The lines are clipped to a generous North-American box (BOX and
// PROVINCE_BOX below, well beyond the map's default extent of 120W-69W,
// 22N-53N; the provinces reach further north), rounded, and cleared of
// consecutive duplicate points and of lines that shrank to one point.
//
// Record format of the outline files: one record a line, "latitude,longitude"
// in degrees, latitude north-positive and longitude east-positive (the map
// turns it into its positive-west axis). A record whose first number is above
// 999 is a break: the next point starts a new line. Every line of the file is
// preceded by a break record BREAK.
//
// Usage: npm install && node convert.mjs [output folder, default ../../data]

import { existsSync, readFileSync, writeFileSync, renameSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { mesh } from 'topojson-client';

const here = path.dirname(fileURLToPath(import.meta.url));
const outDir = path.resolve(process.argv[2] ?? path.join(here, '..', '..', 'data'));
const require = createRequire(import.meta.url);

// Clipping box in degrees, longitude east-positive.
const BOX = { west: -135, east: -55, south: 15, north: 60 };
const PROVINCE_BOX = { west: -145, east: -50, south: 40, north: 72 };
const BREAK = '9999,9999';
// Three decimals (about 100 m) keep the sources' own quantization.
const DECIMALS = 3;

// The mesh of a TopoJSON object of a package.
function topologyLines(file, object) {
  return () => {
    const topology = JSON.parse(readFileSync(require.resolve(file), 'utf8'));
    return mesh(topology, topology.objects[object]).coordinates;
  };
}

// The mesh of the rings of a text of "ring" lines and "lon,lat" points:
// each edge once, the edges of a ring not met before stitched into lines.
function ringLines(file) {
  return () => {
    const source = path.join(here, file);
    if (!existsSync(source)) return null;
    const rings = [];
    for (const l of readFileSync(source, 'utf8').split('\n')) {
      if (l === 'ring') rings.push([]);
      else if (l && rings.length) rings[rings.length - 1].push(l);
    }
    const seen = new Set();
    const lines = [];
    for (const ring of rings) {
      let cur = null;
      for (let i = 1; i < ring.length; i++) {
        const key = ring[i - 1] < ring[i] ? ring[i - 1] + '|' + ring[i] : ring[i] + '|' + ring[i - 1];
        if (seen.has(key)) { cur = null; continue; }
        seen.add(key);
        if (!cur) { cur = [ring[i - 1].split(',').map(Number)]; lines.push(cur); }
        cur.push(ring[i].split(',').map(Number));
      }
    }
    return lines;
  };
}

const LAYERS = [
  { caption: 'Canada', lines: ringLines('provinces.txt'), box: PROVINCE_BOX,
    missing: 'provinces.txt is missing: run Rscript provinces.R first' },
  { caption: 'State', lines: topologyLines('us-atlas/counties-10m.json', 'states'), box: BOX },
  { caption: 'County', lines: topologyLines('us-atlas/counties-10m.json', 'counties'), box: BOX },
  { caption: 'Country', lines: topologyLines('world-atlas/countries-50m.json', 'countries'), box: BOX },
];

// Liang-Barsky: the part of segment a-b inside the box, or null.
function clipSegment(a, b, box) {
  const dx = b[0] - a[0], dy = b[1] - a[1];
  let t0 = 0, t1 = 1;
  const edges = [[-dx, a[0] - box.west], [dx, box.east - a[0]], [-dy, a[1] - box.south], [dy, box.north - a[1]]];
  for (const [p, q] of edges) {
    if (p === 0) {
      if (q < 0) return null;
    } else {
      const r = q / p;
      if (p < 0) { if (r > t1) return null; if (r > t0) t0 = r; }
      else { if (r < t0) return null; if (r < t1) t1 = r; }
    }
  }
  return [[a[0] + t0 * dx, a[1] + t0 * dy], [a[0] + t1 * dx, a[1] + t1 * dy], t1 < 1];
}

// Splits one polyline into the pieces that lie inside the box.
function clipLine(points, box) {
  const pieces = [];
  let cur = null;
  for (let i = 1; i < points.length; i++) {
    const c = clipSegment(points[i - 1], points[i], box);
    if (!c) { if (cur) { pieces.push(cur); cur = null; } continue; }
    const [p, q, leaves] = c;
    if (!cur) cur = [p];
    cur.push(q);
    if (leaves) { pieces.push(cur); cur = null; }
  }
  if (cur) pieces.push(cur);
  return pieces;
}

function formatNumber(x, decimals) {
  const s = x.toFixed(decimals).replace(/\.?0+$/, '');
  return s === '-0' ? '0' : s;
}

function convertLayer(layer) {
  const lines = layer.lines();
  if (!lines) {
    console.log(`Map_${layer.caption}.dat left as it is: ${layer.missing}`);
    return;
  }
  const out = [];
  let records = 0, breaks = 0;
  for (const line of lines) {
    for (const piece of clipLine(line, layer.box)) {
      const recs = [];
      for (const [lon, lat] of piece) {
        const rec = formatNumber(lat, DECIMALS) + ',' + formatNumber(lon, DECIMALS);
        if (recs[recs.length - 1] !== rec) recs.push(rec);
      }
      if (recs.length < 2) continue;
      out.push(BREAK, ...recs);
      breaks += 1;
      records += recs.length + 1;
    }
  }
  const target = path.join(outDir, `Map_${layer.caption}.dat`);
  const text = out.join('\n') + '\n';
  writeFileSync(target + '.tmp', text);
  renameSync(target + '.tmp', target);
  console.log(`${path.basename(target)}: ${records} records, ${breaks} lines, ${text.length} bytes`);
}

for (const layer of LAYERS) convertLayer(layer);
