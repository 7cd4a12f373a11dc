// Writes data/Ondrik.Dat, the map's feature table: for each lake-effect
// snowbelt of the Great Lakes, the axis of the snow band as a line of four
// points, one row per flow direction; the map slides the axis between the two
// rows that bracket the current flow direction.
//
// File layout: one row a line, "k, lat1, lon1, lat2, lon2, lat3, lon3, lat4,
// lon4", k the flow direction in degrees (from which the wind blows, rising
// within a group), latitudes north-positive and longitudes positive WEST,
// two decimals; a line "-1" ends a group. At most 10 groups of at most 30
// rows each; nothing else stands in the file (it is read as plain numbers, so
// it can carry no comments).
//
// How the axes were chosen. A lake-effect band lines up with the mean wind of
// the boundary layer and forms along the longest stretch of open water that
// wind crosses; it comes ashore on the lee shore and dies out some tens of km
// to about 150 km inland, farther for long fetches and in hilly snowbelts.
// For every lake shore and flow direction the table below gives, by hand from
// the shore's geography:
//   - the landfall, the point where the band crosses the lee shore (the known
//     snowbelts: Buffalo's Southtowns and Chautauqua Ridge for Lake Erie,
//     Oswego County and Tug Hill, Syracuse and Rochester for Lake Ontario,
//     Muskegon to Michigan City for Lake Michigan's east shore, Chicago to
//     Manitowoc for its west shore, the Keweenaw and Gogebic shores and
//     Batchawana Bay to Marquette for Lake Superior, Duluth for its head,
//     Bruce, Grey and Huron County for Lake Huron, and Georgian Bay's shores);
//   - the fetch: the distance over water upwind of the landfall along the flow,
//     measured to where the band starts near the upwind shore;
//   - the inland reach of the band.
// The axis runs straight along the flow (toward direction k + 180): point 1 at
// the start of the fetch, point 2 a third of the fetch before landfall (where
// the band is well formed), point 3 the landfall, point 4 the inland end.
// Distances are turned into degrees on a sphere (111.2 km per degree of
// latitude); the short lines make the flat-earth step good enough.
//
// Usage: node lakebands.mjs [output folder, default ../../data]

import { writeFileSync, renameSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const outDir = path.resolve(process.argv[2] ?? path.join(here, '..', '..', 'data'));

// [flow direction, landfall latitude, landfall longitude (positive west),
//  fetch over the lake (km), inland reach (km)]
const SNOWBELTS = [
  { name: 'Lake Erie: Niagara Frontier, Buffalo, Southtowns, Chautauqua, NW Pennsylvania, NE Ohio',
    rows: [
      [230, 42.90, 79.05, 150, 80],
      [240, 42.88, 78.86, 200, 90],
      [250, 42.78, 78.86, 220, 100],
      [260, 42.69, 78.99, 180, 100],
      [270, 42.57, 79.13, 150, 100],
      [280, 42.45, 79.35, 120, 90],
      [290, 42.29, 79.65, 90, 80],
      [300, 42.17, 79.93, 80, 80],
      [310, 42.07, 80.20, 70, 70],
      [320, 41.90, 80.78, 80, 70],
      [330, 41.78, 81.25, 90, 60],
    ] },
  { name: 'Lake Ontario: Jefferson County, Tug Hill, Oswego, Syracuse, Rochester, Orleans County',
    rows: [
      [230, 43.95, 76.12, 110, 80],
      [240, 43.90, 76.15, 135, 90],
      [250, 43.76, 76.20, 130, 100],
      [260, 43.62, 76.18, 150, 110],
      [270, 43.50, 76.28, 230, 110],
      [280, 43.43, 76.50, 190, 100],
      [290, 43.34, 76.74, 150, 90],
      [300, 43.28, 77.00, 140, 80],
      [310, 43.26, 77.40, 105, 70],
      [320, 43.33, 77.78, 75, 60],
      [330, 43.37, 78.10, 60, 50],
    ] },
  { name: 'Lake Michigan east shore: Benzie to Muskegon, Holland, South Haven, Michiana',
    rows: [
      [260, 44.62, 86.24, 95, 110],
      [270, 44.25, 86.32, 90, 110],
      [280, 43.90, 86.43, 95, 110],
      [290, 43.45, 86.46, 100, 110],
      [300, 43.08, 86.24, 130, 120],
      [310, 42.75, 86.21, 150, 120],
      [320, 42.40, 86.28, 170, 120],
      [330, 42.10, 86.48, 195, 110],
      [340, 41.80, 86.75, 220, 100],
      [350, 41.71, 86.94, 260, 90],
      [360, 41.66, 87.20, 300, 80],
    ] },
  { name: 'Lake Michigan west shore: NW Indiana, Chicago, Milwaukee, Sheboygan, Manitowoc',
    rows: [
      [20, 41.70, 87.50, 240, 60],
      [30, 41.90, 87.63, 190, 60],
      [40, 42.20, 87.79, 165, 50],
      [50, 42.60, 87.82, 140, 50],
      [60, 43.00, 87.89, 120, 50],
      [70, 43.40, 87.86, 115, 50],
      [80, 43.75, 87.70, 95, 50],
      [90, 44.15, 87.56, 85, 50],
    ] },
  { name: 'Lake Superior west: Keweenaw, Ontonagon, Gogebic Range, Iron County',
    rows: [
      [270, 47.22, 88.62, 170, 70],
      [280, 47.02, 88.92, 170, 80],
      [290, 46.87, 89.34, 140, 90],
      [300, 46.70, 89.85, 110, 100],
      [310, 46.61, 90.28, 95, 100],
      [320, 46.56, 90.45, 75, 90],
    ] },
  { name: 'Lake Superior east: Batchawana Bay, Whitefish Point, Grand Marais, Munising, Marquette',
    rows: [
      [270, 46.92, 84.62, 220, 70],
      [280, 46.74, 85.35, 200, 80],
      [290, 46.67, 85.96, 160, 90],
      [300, 46.49, 86.42, 150, 90],
      [310, 46.43, 86.75, 130, 90],
      [320, 46.46, 87.05, 110, 90],
      [330, 46.50, 87.22, 105, 80],
      [340, 46.53, 87.35, 95, 70],
      [350, 46.55, 87.39, 120, 60],
    ] },
  { name: 'Lake Superior head: Duluth, Superior, Douglas County',
    rows: [
      [50, 46.72, 92.02, 150, 60],
      [60, 46.70, 92.00, 180, 60],
      [70, 46.70, 92.00, 80, 60],
    ] },
  { name: 'Lake Huron east shore: Bruce, Grey, Huron County',
    rows: [
      [270, 44.50, 81.37, 145, 100],
      [280, 44.30, 81.57, 135, 100],
      [290, 44.18, 81.64, 135, 100],
      [300, 43.98, 81.72, 140, 90],
      [310, 43.74, 81.72, 155, 90],
      [320, 43.56, 81.70, 210, 90],
      [330, 43.31, 81.76, 240, 80],
      [340, 43.25, 81.85, 260, 70],
    ] },
  { name: 'Georgian Bay: Parry Sound, Muskoka, Midland, Tiny, Wasaga, Collingwood, Barrie',
    rows: [
      [240, 45.33, 80.06, 65, 90],
      [270, 45.05, 79.95, 80, 110],
      [290, 44.78, 79.93, 75, 100],
      [300, 44.56, 80.00, 90, 90],
      [310, 44.52, 80.05, 130, 90],
      [320, 44.50, 80.22, 160, 90],
      [330, 44.57, 80.45, 150, 80],
    ] },
];

const KM_PER_DEG = 111.2;
const RAD = Math.PI / 180;

// The point `km` along the flow from (lat, lonW); negative km goes upwind.
function alongFlow(lat, lonW, dir, km) {
  const toward = (dir + 180) * RAD; // bearing the band runs toward
  const dLat = (km * Math.cos(toward)) / KM_PER_DEG;
  const dLonEast = (km * Math.sin(toward)) / (KM_PER_DEG * Math.cos(lat * RAD));
  return [lat + dLat, lonW - dLonEast];
}

function fmt(x) { return x.toFixed(2); }

if (SNOWBELTS.length > 10) throw new Error('at most 10 groups');
const lines = [];
for (const belt of SNOWBELTS) {
  if (belt.rows.length > 30) throw new Error(`${belt.name}: at most 30 rows`);
  let last = 0;
  for (const [dir, lat, lonW, fetch, inland] of belt.rows) {
    if (!(dir > last && dir <= 360)) throw new Error(`${belt.name}: directions must rise within 1..360`);
    last = dir;
    const pts = [
      alongFlow(lat, lonW, dir, -fetch),
      alongFlow(lat, lonW, dir, -fetch / 3),
      [lat, lonW],
      alongFlow(lat, lonW, dir, inland),
    ];
    lines.push([String(dir), ...pts.flatMap(([a, b]) => [fmt(a), fmt(b)])].join(', '));
  }
  lines.push('-1');
}

const target = path.join(outDir, 'Ondrik.Dat');
writeFileSync(target + '.tmp', lines.join('\n') + '\n');
renameSync(target + '.tmp', target);
console.log(`Ondrik.Dat: ${SNOWBELTS.length} groups, ${lines.length - SNOWBELTS.length} rows`);
