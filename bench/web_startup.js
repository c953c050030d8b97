'use strict';
// The page against its yardstick (bench/yardstick.html: the window's first box
// alone, with a digit in the same embedded Song face, built with the same
// flags and packed the same way) in Debian's headless chromium: the first
// paint, and the time to "ready" (the program started, the Song face
// loaded, the cursor in the first box, the next frame drawn), as the page
// marks it, over rotating rounds of a fresh page each in one browser; the
// JS heap; and the sizes of what ships. Ends with the verdict: medians of
// the per-round ratios at most 1.25 for the first paint and 1.5 for ready,
// over at least 31 rounds, and the single file at most 256 KiB.
//
//   NODE_PATH=build/web/tests/web/npm/node_modules node bench/web_startup.js [BUILD_DIR] [ROUNDS]
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const zlib = require('node:zlib');
const puppeteer = require('puppeteer-core');

const build = path.resolve(process.argv[2] || 'build/web');
const rounds = Number(process.argv[3] || 31);
const targets = { paint: 1.25, ready: 1.5 };
const sizeLimit = 256 * 1024;
const pages = [
  { name: 'lumivar', file: path.join(build, 'web/lumivar.html') },
  { name: 'yardstick', file: path.join(build, 'bench/yardstick.html') }
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

async function measure(browser, url) {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector('html[data-ready]');
  // The first paint may come in the frame after the one marked ready.
  await page.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length > 0);
  const times = await page.evaluate(() => ({
    ready: performance.getEntriesByName('lumivar-ready')[0].startTime,
    paint: performance.getEntriesByName('first-contentful-paint')[0].startTime
  }));
  const heap = (await page.metrics()).JSHeapUsedSize;
  await page.close();
  return { ...times, heap };
}

// The site from a local server, on a first visit each time (a fresh
// browser context: no cache, no service worker yet), for the record.
async function siteReady(browser) {
  const root = path.join(build, 'web/site');
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css' };
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://x').pathname.replace(/\/$/, '/index.html');
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root) || !fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    response.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const ready = [];
  try {
    for (let round = -2; round < rounds; ++round) {
      const context = await browser.createBrowserContext();
      const figures = await measure(context, `http://127.0.0.1:${server.address().port}/`);
      await context.close();
      if (round >= 0) ready.push(figures.ready);
    }
  } finally {
    server.close();
  }
  return median(ready);
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
  let site;
  try {
    for (let round = -2; round < rounds; ++round) {  // two warm-up rounds
      for (let k = 0; k < pages.length; ++k) {
        const entry = pages[(Math.max(round, 0) + k) % pages.length];
        const figures = await measure(browser, 'file://' + entry.file);
        if (round >= 0) results[entry.name].push(figures);
      }
    }
    site = await siteReady(browser);
  } finally {
    await browser.close();
  }
  for (const entry of pages) {
    const figures = results[entry.name];
    const heap = median(figures.map((r) => r.heap)) / 1024;
    console.log(`  ${entry.name.padEnd(10)} first paint: median ${median(figures.map((r) => r.paint)).toFixed(1)} ms;` +
      ` ready: median ${median(figures.map((r) => r.ready)).toFixed(1)} ms; JS heap used: median ${heap.toFixed(0)} KiB`);
  }
  console.log(`  lumivar.html:  ${sizes(pages[0].file)} (at most ${sizeLimit / 1024} KiB)`);
  console.log(`  site/lumivar.js:  ${sizes(path.join(build, 'web/site/lumivar.js'))};` +
    ` the site from a local server, first visit: ready median ${site.toFixed(1)} ms`);
  const judged = rounds >= 31;
  let met = judged && fs.statSync(pages[0].file).size <= sizeLimit;
  for (const [figure, target] of Object.entries(targets)) {
    const ratios = results.lumivar.map((r, i) => r[figure] / results.yardstick[i][figure]);
    const [ratio, low, high] = medianInterval(ratios);
    const within = judged && ratio <= target;
    met = met && within;
    console.log(`  page ${figure === 'paint' ? 'first paint' : 'ready'}, lumivar / yardstick: median of ${rounds}` +
      ` per-round ratios ${ratio.toFixed(3)} [${low.toFixed(3)}, ${high.toFixed(3)}] <= ${target}: ${within ? 'met' : 'MISSED'}`);
  }
  if (!judged) console.log('  fewer than 31 rounds: the ratios are not judged');
  console.log('  ' + (met ? 'all targets met' : 'TARGET MISSED'));
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
