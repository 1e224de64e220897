// Reads an ADIF file with adif-parser-ts (npm), a parser written apart from Vandrel, and prints
// each record as the parser read it, one line a record: NAME=VALUE fields in the order of their
// names, separated by blanks, the header first. Exits 1 with the parser's message when it refuses the file.
//   node read_adif.mjs NODE_MODULES_DIR FILE.adi
import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';

const [modules, path] = process.argv.slice(2);
const { AdifParser } = createRequire(modules + '/')('adif-parser-ts');
try {
    const adif = AdifParser.parseAdi(readFileSync(path, 'latin1'));
    const line = (fields) =>
        Object.entries(fields)
            .map(([name, value]) => `${name.toUpperCase()}=${value}`)
            .sort()
            .join(' ');
    console.log('HEADER ' + line(adif.header ?? {}));
    for (const record of adif.records ?? []) console.log(line(record));
} catch (error) {
    console.error(`adif-parser-ts refuses ${path}: ${error.message}`);
    process.exit(1);
}
