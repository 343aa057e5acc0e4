// Checks the files the page ships against the oldest browsers it is for, the
// browserslist in package.json: each script's syntax at ES2015 and its browser APIs
// (eslint.config.js), each style sheet's properties (doiuse).
// usage: node check.js SITE_FOLDER   Prints each finding; exits 1 if there is any.
'use strict';
const fs = require('fs');
const path = require('path');
const {ESLint} = require('eslint');
const postcss = require('postcss');
const doiuse = require('doiuse');

const floor = require('./package.json').browserslist;

// What the style sheet uses above the floor on purpose, where missing costs nothing.
const CSS_ALLOWED = [
  'css-overflow',       // only "overflow: hidden", which all have; "partial" is overflow: clip
  'text-size-adjust',   // only phones' browsers enlarge text; it stops them
  'css-touch-action',   // "manipulation", which iOS 12 has; elsewhere a tap waits a little
  'pointer',            // the same touch-action, counted as pointer events
];

async function checkScripts(site, files) {
  const eslint = new ESLint({cwd: __dirname, overrideConfigFile: 'eslint.config.js'});
  const findings = [];
  for (const file of files) {
    const text = fs.readFileSync(path.join(site, file), 'utf8');
    // Linted as if it stood here: the configuration covers only files below it.
    const [result] = await eslint.lintText(text, {filePath: path.join(__dirname, file)});
    for (const m of result.messages) findings.push(`${file}:${m.line}:${m.column}: ${m.message}`);
  }
  return findings;
}

async function checkStyles(site, files) {
  const findings = [];
  for (const file of files) {
    const css = fs.readFileSync(path.join(site, file), 'utf8');
    const seen = [];
    await postcss([doiuse({browsers: floor, ignore: CSS_ALLOWED,
                           onFeatureUsage: (usage) => seen.push(usage.message)})])
        .process(css, {from: path.join(site, file)});
    findings.push(...seen);
  }
  return findings;
}

async function main() {
  const site = path.resolve(process.argv[2]);
  const names = fs.readdirSync(site).sort();
  const scripts = names.filter((n) => n.endsWith('.js'));
  const styles = names.filter((n) => n.endsWith('.css'));
  const findings = [...await checkScripts(site, scripts), ...await checkStyles(site, styles)];
  findings.forEach((f) => console.log(f));
  console.log(`${scripts.length} scripts and ${styles.length} style sheets against ` +
              `${floor.join(', ')}: ${findings.length} findings`);
  process.exitCode = findings.length === 0 && scripts.length > 0 && styles.length > 0 ? 0 : 1;
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
