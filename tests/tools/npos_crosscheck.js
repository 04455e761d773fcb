// Checks our decoder's command boundaries against those of the npm package npos, an ESC/POS
// parser written independently of this project.
//   node npos_crosscheck.js DUMP_DIR NPOS_MODULE_DIR
// Exits 0 when every stream agrees, 1 on a disagreement, 77 (skipped) without npos.
'use strict';
const fs = require('fs');
const path = require('path');

const [dumpDir, nposDir] = process.argv.slice(2);
let npos;
try {
    npos = require(path.resolve(nposDir, 'npos'));
} catch (e) {
    console.log(`SKIP: npos is not installed under ${nposDir} (${e.message.split('\n')[0]})`);
    process.exit(77);
}

// npos knows neither ESC U n nor the vendor's ESC 0x1F x y (inside Set T and Set t).
const rules = Object.assign({}, npos.rules);
rules[npos.symbols.ESC] = Object.assign({}, npos.rules[npos.symbols.ESC], {'U': 1, '\x1f': 2});
const parser = npos.parser(rules);

let failures = 0;
const names = fs.readdirSync(dumpDir).filter(n => n.endsWith('.bin')).map(n => n.slice(0, -4));
for (const name of names) {
    const stream = fs.readFileSync(path.join(dumpDir, name + '.bin'));
    const ours = fs.readFileSync(path.join(dumpDir, name + '.events'), 'utf8').trim().split('\n')
        .map(line => { const [o, l, k] = line.split(' '); return {o: +o, l: +l, k}; });
    // What npos must call a command: each of our commands, and the ESC tail of each vendor
    // sequence. Our text runs, LF and CR are data to npos as well.
    const expected = [];
    for (const e of ours) {
        if (e.k === 'command') {
            expected.push(`${e.o}+${e.l}`);
        } else if (e.k === 'vendor') {
            const esc = stream.subarray(e.o, e.o + e.l).indexOf(0x1b);
            if (esc >= 0) expected.push(`${e.o + esc}+${e.l - esc}`);
        } else if (e.k === 'bad') {
            expected.push(`bad@${e.o}`);
        }
    }
    const ast = parser.analyze(stream);
    const found = ast.error ? [`npos error: ${ast.error.message}`]
        : ast.tree.filter(n => n.code !== 2).map(n => `${n.offset}+${n.length}`);
    const same = JSON.stringify(found) === JSON.stringify(expected);
    console.log(`${same ? 'ok  ' : 'FAIL'} ${name}: ${found.length} commands`);
    if (!same) {
        console.log(`  ours: ${expected.join(' ')}\n  npos: ${found.join(' ')}`);
        failures++;
    }
}
if (names.length === 0) {
    console.log('no streams to check');
    process.exit(1);
}
process.exit(failures ? 1 : 0);
