// Decodes a typedstream archive with node-typedstream, an independent reader, and prints
// it as JSON: objects as {class: [name, version, superclass, version, ...], contents:
// [{types, values}]}, strings as {class, string}, nil as null.
'use strict';
const fs = require('fs');
const path = require('path');
const { Unarchiver } = require(path.join(__dirname, 'node_modules', 'node-typedstream'));

function chain(clazz) {
  const out = [];
  for (let c = clazz; c; c = c.superclass) out.push(c.name, c.version);
  return out;
}

function plain(value) {
  if (value === undefined || value === null) return null;
  if (typeof value !== 'object') return value;
  if (Array.isArray(value)) return value.map(plain);
  if (value.clazz && value.contents) {
    return {
      class: chain(value.clazz),
      contents: value.contents.map((g) => ({ types: g.encodings.join(''), values: plain(g.values) })),
    };
  }
  if (typeof value.string === 'string') return { class: value.constructor.name, string: value.string };
  return { unknown: value.constructor.name };
}

const unarchiver = Unarchiver.open(fs.readFileSync(process.argv[2]));
process.stdout.write(JSON.stringify(plain(unarchiver.decodeSingleRoot())));
