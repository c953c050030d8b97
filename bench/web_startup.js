'use strict';
// The page against its yardstick (web/yardstick.html: one box with a digit in
// the same embedded Song face, built with the same flags) in Debian's
// headless chromium: the time to "ready" (every control built, the Song
// face loaded, the cursor in the first box, the next frame drawn), as the
// page marks it, over rotating rounds of a fresh page each in one browser;
// the JS heap; and the sizes of what ships. Ends with the verdict: median of
// the per-round ratios at most 1.5, over at least 31 rounds.
//
//   NODE_PATH=build/web/tests/web/npm/node_modules node bench/web_startup.js [BUILD_DIR] [ROUNDS]
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const puppeteer = require('puppeteer-core');

const build = path.resolve(process.argv[2] || 'build/web');
const rounds = Number(process.argv[3] || 31);
const target = 1.5;
const pages = [
  { name: 'lumivar', file: path.join(build, 'web/lumivar.html') },
  { name: 'yardstick', file: path.join(build, 'web/yardstick.html') }
];

// The median of the values and its 95 % interval, [median, low, high], from
// the same code as the other windows' benchmarks (bench/median_interval.awk).
function medianInterval(values) {
  const output = execFileSync('awk', ['-f', path.join(__dirname, 'median_interval.awk')], {
    input: values.join('\n') + '\n',
    encoding: 'utf8'
  });
  return output.trim().split(' ').map(Number);
}

function median(values) {
  return medianInterval(values)[0];
}

async function measure(browser, file) {
  const page = await browser.newPage();
  await page.goto('file://' + file);
  await page.waitForSelector('html[data-ready]');
  const ready = await page.evaluate(() => performance.getEntriesByName('lumivar-ready')[0].startTime);
  const heap = (await page.metrics()).JSHeapUsedSize;
  await page.close();
  return { ready, heap };
}

function sizes(file) {
  const bytes = fs.readFileSync(file);
  return `${(bytes.length / 1024).toFixed(1)} KiB raw, ${(zlib.gzipSync(bytes, { level: 9 }).length / 1024).toFixed(1)} KiB gzipped`;
}

(async () => {
  const browser = await puppeteer.launch({
    executablePath: process.env.LUMIVAR_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--test-type', '--no-first-run', ...(process.getuid() === 0 ? ['--no-sandbox'] : [])]
  });
  const results = Object.fromEntries(pages.map((p) => [p.name, []]));
  try {
    for (let round = -2; round < rounds; ++round) {  // two warm-up rounds
      for (let k = 0; k < pages.length; ++k) {
        const entry = pages[(Math.max(round, 0) + k) % pages.length];
        const figures = await measure(browser, entry.file);
        if (round >= 0) results[entry.name].push(figures);
      }
    }
  } finally {
    await browser.close();
  }
  const ratios = results.lumivar.map((r, i) => r.ready / results.yardstick[i].ready);
  const [ratio, low, high] = medianInterval(ratios);
  for (const entry of pages) {
    const ready = results[entry.name].map((r) => r.ready);
    const heap = median(results[entry.name].map((r) => r.heap)) / 1024;
    console.log(`  ${entry.name.padEnd(10)} ready: median ${median(ready).toFixed(1)} ms; JS heap used: median ${heap.toFixed(0)} KiB`);
  }
  console.log(`  lumivar.html:  ${sizes(pages[0].file)} (at most 200 KiB)`);
  console.log(`  lumivar.wasm:  ${sizes(path.join(build, 'web/site/lumivar.wasm'))}`);
  const judged = rounds >= 31;
  const met = judged && ratio <= target && fs.statSync(pages[0].file).size <= 200 * 1024;
  console.log(`  page ready, lumivar / yardstick: median of ${rounds} per-round ratios ${ratio.toFixed(3)}` +
    ` [${low.toFixed(3)}, ${high.toFixed(3)}] <= ${target}: ${met ? 'met' : 'MISSED'}`);
  if (!judged) console.log('  fewer than 31 rounds: the ratio is not judged');
  console.log('  ' + (met ? 'all targets met' : 'TARGET MISSED'));
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
