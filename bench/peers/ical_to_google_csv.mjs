#!/usr/bin/env node
// Benchmark peer: converts a vCard file into a Google Contacts CSV with the npm package
// ical.js (its parser, ICAL.parse, read through the jCard arrays it returns).
//
//     NODE_PATH=BUILD/node/node_modules node ical_to_google_csv.mjs IN.vcf OUT.csv
//
// The layout and its rules are described in bench/README.md ("The layout the peers write");
// the other two peers follow the same rules, so the three write the same bytes. ical.js
// reads vCard 3.0 and 4.0 only, so each 2.1 contact is first put into 3.0 syntax
// (`from21`): named TYPE parameters, quoted-printable values decoded, base64 as "b".
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

// An ES module is not found through NODE_PATH, so its entry is looked up there by hand.
async function importFromNodePath(name) {
  for (const folder of (process.env.NODE_PATH || '').split(path.delimiter).filter(Boolean)) {
    const manifest = path.join(folder, name, 'package.json');
    if (fs.existsSync(manifest)) {
      const entry = JSON.parse(fs.readFileSync(manifest, 'utf8')).exports.import;
      return (await import(pathToFileURL(path.join(folder, name, entry)))).default;
    }
  }
  throw new Error(`${name} is not in NODE_PATH (${process.env.NODE_PATH || ''})`);
}

const ICAL = await importFromNodePath('ical.js');

const JOIN = ' ::: ';
const FIXED = ['First Name', 'Middle Name', 'Last Name', 'Phonetic First Name',
  'Phonetic Middle Name', 'Phonetic Last Name', 'Name Prefix', 'Name Suffix', 'Nickname',
  'File As', 'Organization Name', 'Organization Title', 'Organization Department', 'Birthday',
  'Notes', 'Photo', 'Labels'];
// The numbered groups in the order of their columns, each with its columns' names.
const GROUPS = [
  ['E-mail', ['Label', 'Value']],
  ['Phone', ['Label', 'Value']],
  ['Address', ['Label', 'Formatted', 'Street', 'City', 'PO Box', 'Region', 'Postal Code',
    'Country', 'Extended Address']],
  ['Website', ['Label', 'Value']],
  ['Event', ['Label', 'Value']],
  ['Relation', ['Label', 'Value']],
];
const [EMAIL, PHONE, ADDRESS, WEBSITE, EVENT, RELATION] = GROUPS.keys();

/** Decodes quoted-printable text into the bytes it stands for, read in `charset`. */
function decodeQuotedPrintable(text, charset) {
  const bytes = Buffer.from(text, 'utf8');
  const out = Buffer.alloc(bytes.length);
  let length = 0;
  for (let i = 0; i < bytes.length; ++i) {
    const hex = bytes[i] === 0x3d ? bytes.toString('latin1', i + 1, i + 3) : '';
    if (/^[0-9A-Fa-f]{2}$/.test(hex)) {
      out[length++] = parseInt(hex, 16);
      i += 2;
    } else {
      out[length++] = bytes[i];
    }
  }
  return new TextDecoder(charset).decode(out.subarray(0, length));
}

/** One vCard 2.1 contact in 3.0 syntax, for a parser that reads 3.0 and 4.0. */
function from21(card) {
  const lines = card.split(/\r\n|\r|\n/);
  const out = [];
  for (let i = 0; i < lines.length; ++i) {
    const line = lines[i];
    const colon = line.indexOf(':');
    if (line === '' || line[0] === ' ' || line[0] === '\t' || colon < 0) {
      if (line !== '') out.push(line);  // a blank line ends a 2.1 base64 value
      continue;
    }
    const [name, ...parameters] = line.slice(0, colon).split(';');
    const head = [name];
    const types = [];
    let charset = 'utf-8';
    let encoding = '';
    for (const parameter of parameters) {
      const equals = parameter.indexOf('=');
      const key = equals < 0 ? '' : parameter.slice(0, equals).toUpperCase();
      const value = equals < 0 ? parameter : parameter.slice(equals + 1);
      if (key === 'ENCODING' || (key === '' && /^(quoted-printable|base64|[78]bit)$/i.test(value)))
        encoding = value.toUpperCase();
      else if (key === 'CHARSET') charset = value;
      else if (key === '' || key === 'TYPE') types.push(value);
      else head.push(parameter);
    }
    if (types.length) head.push('TYPE=' + types.join(','));
    let value = line.slice(colon + 1);
    if (encoding === 'QUOTED-PRINTABLE') {
      while (value.endsWith('=') && i + 1 < lines.length) value = value.slice(0, -1) + lines[++i];
      value = decodeQuotedPrintable(value, charset).replace(/,/g, '\\,').replace(/\r\n|\r|\n/g, '\\n');
    } else if (encoding === 'BASE64') {
      head.push('ENCODING=b');
    }
    out.push(head.join(';') + ':' + value);
  }
  return out.join('\r\n');
}

function text(value) {
  if (Array.isArray(value)) return value.filter((item) => item).map(text).join(JOIN);
  if (typeof value !== 'string') return '';
  return value.includes('\r') ? value.replace(/\r\n|\r/g, '\n') : value;
}

/** yyyy-mm-dd, or --mm-dd without a year; a time of day is left out. */
function dateText(value) {
  const day = text(value).split('T', 1)[0];
  if (/^\d{8}$/.test(day)) return `${day.slice(0, 4)}-${day.slice(4, 6)}-${day.slice(6)}`;
  if (/^--\d{4}$/.test(day)) return `--${day.slice(2, 4)}-${day.slice(4)}`;
  return day;
}

/** The address as a letter shows it: "Street\nCity, Region Postal Code\nCountry". */
function formattedAddress(street, extended, box, city, region, code, country) {
  let place = city;
  if (region) place = place ? `${place}, ${region}` : region;
  if (code) place = place ? `${place} ${code}` : code;
  return [street, extended, box, place, country].filter((line) => line).join('\n');
}

/** The label an address book gave a group of properties: "_$!<Other>!$_" is Other. */
function unwrapLabel(label) {
  return label.startsWith('_$!<') && label.endsWith('>!$_') ? label.slice(4, -4) : label;
}

/** Home, Work or Other (for a phone also Mobile, Pager and the faxes), "* " if preferred. */
function label(parameters, groupLabels, phone) {
  const words = new Set();
  for (const type of [].concat(parameters.type || []))
    for (const word of type.split(',')) words.add(word.trim().toLowerCase());
  let name = parameters.group ? groupLabels.get(parameters.group.toLowerCase()) : undefined;
  if (name === undefined) {
    const work = words.has('work');
    const home = words.has('home');
    if (phone && words.has('fax')) name = work ? 'Work Fax' : home ? 'Home Fax' : 'Other Fax';
    else if (phone && words.has('cell')) name = 'Mobile';
    else if (phone && words.has('pager')) name = 'Pager';
    else name = work ? 'Work' : home ? 'Home' : 'Other';
  }
  return 'pref' in parameters || words.has('pref') ? '* ' + name : name;
}

/** One contact's cells: the fixed columns, then per group kind one array per group. */
function contactRow(jcard) {
  const byName = new Map();
  for (const property of jcard[1]) {
    const list = byName.get(property[0]);
    if (list) list.push(property);
    else byName.set(property[0], [property]);
  }
  const all = (name) => byName.get(name) || [];
  const first = (name) => (byName.has(name) ? text(byName.get(name)[0][3]) : '');
  const groupLabels = new Map();
  for (const [, parameters, , value] of all('x-ablabel'))
    if (parameters.group) groupLabels.set(parameters.group.toLowerCase(), unwrapLabel(text(value)));

  const fixed = new Array(FIXED.length).fill('');
  if (byName.has('n')) {
    const [family, given, additional, prefix, suffix] = [].concat(byName.get('n')[0][3]);
    [fixed[0], fixed[1], fixed[2]] = [text(given), text(additional), text(family)];
    [fixed[6], fixed[7]] = [text(prefix), text(suffix)];
  }
  if (!fixed[0] && !fixed[2]) fixed[0] = first('fn');
  fixed[3] = first('x-phonetic-first-name');
  fixed[4] = first('x-phonetic-middle-name');
  fixed[5] = first('x-phonetic-last-name');
  fixed[8] = text(all('nickname').flatMap((property) => property.slice(3)));
  fixed[9] = first('sort-string');
  if (byName.has('org')) {
    const units = [].concat(byName.get('org')[0][3]);
    [fixed[10], fixed[12]] = [text(units[0]), text(units.slice(1))];
  }
  fixed[11] = first('title');
  fixed[13] = dateText(first('bday'));
  fixed[14] = text(all('note').map((property) => property[3]));
  const photo = all('photo').find(([, , type, value]) => type === 'uri' && /^https?:\/\//.test(value));
  fixed[15] = photo ? photo[3] : '';
  fixed[16] = text([...all('categories').flatMap((property) => property.slice(3)), '* myContacts']);

  const groups = GROUPS.map(() => []);
  for (const [, parameters, , value] of all('email'))
    groups[EMAIL].push([label(parameters, groupLabels, false), text(value)]);
  for (const [, parameters, , value] of all('tel')) {
    const number = text(value);
    groups[PHONE].push([label(parameters, groupLabels, true),
      number.startsWith('tel:') ? number.slice(4) : number]);
  }
  for (const [, parameters, , value] of all('adr')) {
    const [box, extended, street, city, region, code, country] = [].concat(value).map(text);
    groups[ADDRESS].push([label(parameters, groupLabels, false),
      formattedAddress(street, extended, box, city, region, code, country),
      street, city, box, region, code, country, extended]);
  }
  for (const [, parameters, , value] of all('url'))
    groups[WEBSITE].push([label(parameters, groupLabels, false), text(value)]);
  for (const [, , , value] of [...all('anniversary'), ...all('x-anniversary')])
    groups[EVENT].push(['Anniversary', dateText(value)]);
  for (const [, parameters, , value] of all('related')) {
    const kind = (parameters.type ? [].concat(parameters.type)[0].split(',')[0].trim() : '') || 'other';
    groups[RELATION].push([kind.slice(0, 1).toUpperCase() + kind.slice(1).toLowerCase(), text(value)]);
  }
  for (const [, parameters, , value] of all('x-abrelatednames')) {
    const name = parameters.group ? groupLabels.get(parameters.group.toLowerCase()) : undefined;
    groups[RELATION].push([name === undefined ? 'Other' : name, text(value)]);
  }
  return { fixed, groups };
}

function cell(value) {
  return /[",\r\n]/.test(value) ? '"' + value.replace(/"/g, '""') + '"' : value;
}

const [source, target] = process.argv.slice(2);
const cards = fs.readFileSync(source, 'utf8').replace(/^\uFEFF/, '').split(/^(?=BEGIN:VCARD)/im)
  .filter((card) => /^BEGIN:VCARD/i.test(card));
const rows = cards.map((card) =>
  contactRow(ICAL.parse(/^VERSION:2\.1/im.test(card) ? from21(card) : card)));
const most = GROUPS.map((_, kind) => rows.reduce((most, row) => Math.max(most, row.groups[kind].length), 0));

const header = [...FIXED];
GROUPS.forEach(([name, columns], kind) => {
  for (let n = 1; n <= most[kind]; ++n) header.push(...columns.map((column) => `${name} ${n} - ${column}`));
});
const out = fs.openSync(target, 'w');
let chunk = '\uFEFF' + header.map(cell).join(',') + '\r\n';
for (const { fixed, groups } of rows) {
  const line = fixed.map(cell);
  GROUPS.forEach(([, columns], kind) => {
    for (let n = 0; n < most[kind]; ++n) {
      const present = groups[kind][n];
      line.push(...(present ? present.map(cell) : columns.map(() => '')));
    }
  });
  chunk += line.join(',') + '\r\n';
  if (chunk.length > 1 << 18) {
    fs.writeSync(out, chunk);
    chunk = '';
  }
}
fs.writeSync(out, chunk);
fs.closeSync(out);
