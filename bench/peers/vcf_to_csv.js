#!/usr/bin/env node
// Benchmark peer: converts a vCard file into one CSV with the npm package "vcf".
//
//     node vcf_to_csv.js IN.vcf OUT.csv
//
// Columns: name, every e-mail, every phone, every address, the note; one row a contact.
'use strict';
const fs = require('fs');
const vCard = require('vcf');

function values(card, name) {
  const property = card.get(name);
  if (!property) return '';
  return [].concat(property).map((item) => String(item.valueOf())).join('; ');
}

function quote(text) {
  return '"' + text.replace(/"/g, '""') + '"';
}

const [source, target] = process.argv.slice(2);
const cards = vCard.parse(fs.readFileSync(source, 'utf8'));
const lines = ['Name,E-mail,Phone,Address,Note'];
for (const card of cards) {
  lines.push(['fn', 'email', 'tel', 'adr', 'note'].map((name) => quote(values(card, name))).join(','));
}
fs.writeFileSync(target, lines.join('\r\n') + '\r\n');
