'use strict';
// Checks of the page that the X11 scripts cannot see, in Debian's headless
// chromium, Firefox ESR and WebKitGTK, each through its adapter in
// engines.js: the accessibility tree, the requests the page makes, a
// phone's screen, the masked boxes, the keys and the end of the program,
// the site offline, draws compared with the forecast core, and, in
// chromium, the window and its notice with no script, the page with no
// WebAssembly or a script it cannot parse, and the site's update to a
// changed build. Every check fails on any console error or policy
// violation, and on the notice left on screen; what an engine's driver
// cannot do is left out there, and the output says so.
//
//   LUMIVAR_PAGE=build/web/web/lumivar.html LUMIVAR_SITE=build/web/web/site \
//     LUMIVAR_CHANGED_SITE=build/web/tests/web/changed-site \
//     LUMIVAR_DRAW_TABLE=build/web/tests/web/lumivar_draw_table.js \
//     LUMIVAR_DESIGN=build/web/design.json \
//     node tests/web/browser_test.js chromium|firefox|webkit CHECK
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const crypto = require('node:crypto');
const http = require('node:http');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { fileURLToPath } = require('node:url');
const { engines } = require('./engines');

const pageUrl = 'file://' + path.resolve(process.env.LUMIVAR_PAGE || 'lumivar.html');
const sitePath = path.resolve(process.env.LUMIVAR_SITE || 'site');
const changedSitePath = path.resolve(process.env.LUMIVAR_CHANGED_SITE || 'changed-site');
// The layout table as the build wrote it out.
const design = JSON.parse(fs.readFileSync(process.env.LUMIVAR_DESIGN || 'design.json', 'utf8'));
const [windowRow] = design.controls;
// What a masked box shows for `count` units of its text.
const masks = (count) => design.mask.repeat(count);
let engine;

// One browser per check, with a fresh profile; what the page reports as
// wrong is watched, and so is the notice, which a working page never shows.
// `problems` lists the patterns of what a check expects to be reported.
async function withPage(options, use) {
  const browser = await engines[engine]();
  const { page } = browser;
  let problems;
  try {
    await page.setViewport(options.viewport || { width: windowRow.rect[2], height: windowRow.rect[3] });
    await use(page, browser);
    if (!options.notice) assert.ok(await noticeHidden(page), 'the notice is on screen');
    problems = await page.problems();
  } finally {
    await browser.close();
  }
  const expected = options.problems || [];
  assert.deepEqual(problems.filter((problem) => !expected.some((pattern) => pattern.test(problem))), [],
    'the page reported problems');
}

async function open(page, url = pageUrl) {
  await page.open(url);
}

// A local server of the site, each answer with these headers; it serves
// the folder server.root, which a check may change.
async function serveSite(headers = {}) {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
    '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.jpg': 'image/jpeg',
    '.woff2': 'font/woff2' };
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/\/$/, '/index.html');
    const file = path.join(server.root, path.normalize(name));
    if (!file.startsWith(server.root) || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream', ...headers });
    response.end(fs.readFileSync(file));
  });
  server.root = sitePath;
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  server.origin = `http://127.0.0.1:${server.address().port}`;
  return server;
}

const noticeHidden = (page) => page.evaluate(() => document.getElementById('notice').hidden);

const byName = (name) => '#' + name.replace(/[()]/g, '_');

// ---- the window as the packer wrote it, against the design --------------

const pagePath = fileURLToPath(pageUrl);
const policyOf = (html) => html.match(/http-equiv="Content-Security-Policy" content="([^"]*)"/)[1];
const tinted = (row) => row.text !== undefined && row.text.toUpperCase() !== '#FFFFFF';
const rgb = (hex) => `rgb(${[1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16)).join(', ')})`;

// The page's main script replaced by one that no engine parses, with the
// policy's hash of it to match, as an engine too old for its syntax sees it.
function withUnparsableScript(html) {
  const hash = (text) => `'sha256-${crypto.createHash('sha256').update(text).digest('base64')}'`;
  const start = html.lastIndexOf('<script>') + '<script>'.length;
  const end = html.lastIndexOf('</script>');
  const broken = 'var lumivarPage = (() => {{;';
  return html.slice(0, start).replace(hash(html.slice(start, end)), hash(broken)) + broken + html.slice(end);
}

function assertNear(actual, expected, what) {
  assert.ok(actual.every((v, i) => Math.abs(v - expected[i]) < 0.5), `${what} is at ${actual}, not ${expected}`);
}

// What the document shows of each control, read in the page.
function renderedControls(names) {
  const rect = (element) => {
    const r = element.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height];
  };
  const notice = (element) => ({ hidden: element.hidden, text: element.textContent, rect: rect(element) });
  const form = document.getElementById('form1');
  const controls = {};
  for (const name of names.slice(1)) {
    const element = document.getElementById(name.replace(/[()]/g, '_'));
    const style = getComputedStyle(element);
    const [left, top, width, height] = rect(element);
    const edges = form.getBoundingClientRect();
    const x = (Math.max(left, edges.left) + Math.min(left + width, edges.right)) / 2;
    const tint = document.getElementById(element.id + '-tint');
    const caption = element.querySelector('.caption');
    controls[name] = {
      tag: element.tagName, role: element.getAttribute('role'), rect: [left, top, width, height],
      label: element.getAttribute('aria-label') || element.getAttribute('alt'),
      text: element.tagName === 'INPUT' ? element.value : (caption || element).textContent,
      tabIndex: element.getAttribute('tabindex'), disabled: element.disabled === true,
      inputMode: element.inputMode || '', description: element.getAttribute('aria-description'),
      colour: getComputedStyle(caption || element).color,
      ground: getComputedStyle(caption || element).backgroundColor,
      tint: tint && getComputedStyle(tint).backgroundColor,
      family: style.fontFamily, size: parseFloat(style.fontSize),
      onTop: document.elementFromPoint(x, top + height / 2) === element
    };
  }
  return {
    title: document.title, scrollWidth: document.documentElement.scrollWidth, controls,
    form: { rect: rect(form), label: form.getAttribute('aria-label'),
      ground: getComputedStyle(form).backgroundColor },
    notices: { noScript: notice(document.querySelector('noscript > .notice')),
      tooOld: notice(document.getElementById('notice')) }
  };
}

function assertRendered(row, shown, scale) {
  const what = row.name;
  assert.ok(shown, `${what} is not in the page`);
  const tags = { frame: 'DIV', box: 'INPUT', button: 'BUTTON', picture: 'IMG' };
  assert.equal(shown.tag, tags[row.kind], what);
  assertNear(shown.rect, row.windowRect.map((v) => v * scale), what);
  assert.equal(shown.label, row.kind === 'button' ? null : row.label, `${what} label`);
  if (row.kind !== 'picture') assert.equal(shown.text, row.caption, `${what} caption`);
  assert.equal(shown.tabIndex, row.focusOrder >= 0 ? String(row.focusOrder + 1) : null, `${what} focus order`);
  if (row.kind === 'frame') assert.equal(shown.role, 'group');
  if (row.kind !== 'frame') assert.ok(shown.onTop, `${what} is covered`);
  if (row.kind === 'box') {
    assert.equal(shown.disabled, !row.enabled, `${what} enabled`);
    assert.equal(shown.inputMode, row.numeric ? 'numeric' : '', `${what} input mode`);
    assert.equal(shown.description, row.masked ? design.hidden : null, `${what} description`);
    assert.equal(shown.ground, rgb(row.ground), `${what} ground`);
    assert.equal(tinted(row) ? shown.tint : shown.colour, rgb(row.text), `${what} text colour`);
  }
  if (row.kind === 'frame') assert.equal(shown.colour, rgb(row.text), `${what} caption colour`);
  if (row.font) {
    assert.ok(shown.family.includes(row.font.families.at(-1)), `${what} face`);
    assert.ok(Math.abs(shown.size - row.font.points * 4 / 3) < 0.01, `${what} size`);
  }
}
const focused = (page) => page.evaluate(() => document.activeElement.id);
const valueOf = (page, name) => page.$eval(byName(name), (box) => box.value);

// Control held down over the keys, as for Ctrl+A, Ctrl+C, Ctrl+V.
const shortcut = (page, ...keys) => page.shortcut(...keys);

// Puts the text on the clipboard through the plain box Text11, which takes
// any length, and leaves that box empty again.
async function copyFromPlainBox(page, text) {
  await page.click(byName('Text11'));
  await shortcut(page, 'a');
  await page.press('Backspace');
  await page.insertText(text);
  await shortcut(page, 'a', 'c');
  await page.press('Backspace');
}

async function forecast(page, digits) {
  await page.click(byName('Text1'));
  await page.type(digits);
  await page.click(byName('Command1'));
}

// Every node of the accessibility tree, flattened.
function nodes(tree) {
  return [tree, ...(tree.children || []).flatMap(nodes)];
}

const checks = {
  // Every control is in the tree with its role and the table's name; a
  // masked box never gives away a digit.
  async accessibility() {
    await withPage({}, async (page) => {
      await open(page);
      const rows = design.controls;
      await forecast(page, '123');
      assert.equal(await page.evaluate(() => document.documentElement.lang), 'zh-CN');
      assert.equal(await page.title(), rows[0].caption);
      const tree = page.can('accessibility');
      if (!tree) page.skip('accessibility', 'accessibility');
      const all = tree ? nodes(await page.accessibilityTree()) : [];
      const roles = { frame: 'group', box: 'textbox', button: 'button', picture: 'image' };
      for (const row of tree ? rows.slice(1) : []) {
        const name = row.kind === 'button' ? row.caption : row.label;
        const node = all.find((n) => n.role === roles[row.kind] && n.name === name);
        assert.ok(node, `${row.name}: no ${roles[row.kind]} named ${name}`);
        if (row.masked) {
          assert.equal(node.value || '', masks((node.value || '').length), `${row.name} shows more than its mask`);
          assert.equal(node.description, design.hidden);
        }
      }
      const html = await page.content();
      for (const row of rows.filter((r) => r.masked)) {
        const text = await page.evaluate((field) => lumivarPage.boxText(field), row.field);
        assert.ok(text && text === masks(text.length), `${row.name} holds its text in the document`);
      }
      assert.ok(!/value="\d/.test(html), 'a digit stands in the document');
    });
  },

  // Nothing is fetched beyond the page itself, and nothing is stored.
  async requests() {
    await withPage({}, async (page) => {
      await open(page);
      await forecast(page, '358');
      const requests = await page.requests();
      const stored = await page.evaluate(async () => ({
        cookie: document.cookie,
        local: localStorage.length,
        session: sessionStorage.length,
        databases: (await indexedDB.databases()).length
      }));
      assert.deepEqual(stored, { cookie: '', local: 0, session: 0, databases: 0 });
      const foreign = requests.filter((url) => url !== pageUrl && !url.startsWith('data:'));
      assert.deepEqual(foreign, [], 'the page asked for more than itself');
      const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (m) => m.content);
      assert.match(policy, /default-src 'none'/);
    });
  },

  // A phone: 390 px wide at three device pixels to the pixel, by touch.
  async phone() {
    const viewport = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
    await withPage({ viewport }, async (page) => {
      await open(page);
      const rows = design.controls;
      const layout = await page.evaluate(() => ({
        scroll: document.documentElement.scrollWidth,
        client: document.documentElement.clientWidth,
        box: document.getElementById('form1').getBoundingClientRect().toJSON()
      }));
      assert.ok(layout.scroll <= layout.client, 'the page scrolls sideways');
      assert.ok(Math.abs(layout.box.width - 390) < 0.5, `the window is ${layout.box.width} wide`);
      assert.ok(Math.abs(layout.box.height - rows[0].rect[3] * 390 / rows[0].rect[2]) < 0.5);
      for (const row of rows.filter((r) => r.kind === 'box')) {
        const size = await page.$eval(byName(row.name), (box) => parseFloat(getComputedStyle(box).fontSize));
        assert.ok(size >= 16, `${row.name} has a ${size}px font, and a phone would zoom`);
        const mode = await page.$eval(byName(row.name), (box) => box.inputMode);
        assert.equal(mode, row.numeric ? 'numeric' : '', `${row.name} input mode`);
      }
      if (!page.can('touch')) page.skip('phone', 'touch');
      if (!page.can('scale')) page.skip('phone', 'scale');
      await page.tap(byName('Text1'));
      await page.type('123');
      await page.tap(byName('Command1'));
      assert.equal(await valueOf(page, 'Text11'), '精准6胆：234789');
      assert.equal(await focused(page), 'Command1');
      if (process.env.LUMIVAR_SCREENSHOT) {
        await page.setViewport({ ...viewport, height: Math.ceil(layout.box.height) });
        await page.screenshot(process.env.LUMIVAR_SCREENSHOT);
      }
    });
  },

  // Masked boxes: one mask character per unit, typing, pasting through the
  // limit and deleting work; copy gives nothing, cut neither copies nor
  // deletes, and an input method leaves nothing.
  async masked() {
    await withPage({}, async (page) => {
      await open(page);
      await forecast(page, 'a53');
      assert.equal(await valueOf(page, 'Text7'), masks(2));  // holds -3
      await page.click(byName('Text10'));
      await page.press('End');
      await page.press('Backspace');
      assert.equal(await valueOf(page, 'Text10'), masks(2));
      await shortcut(page, 'a', 'c', 'x');
      assert.equal(await valueOf(page, 'Text10'), masks(2), 'cut deleted a masked text');
      await page.click(byName('Text11'));
      await shortcut(page, 'a', 'v');
      assert.ok(!(await valueOf(page, 'Text11')).includes('a5'), 'the clipboard held a masked text');
      await copyFromPlainBox(page, '78');
      await page.click(byName('Text4'));
      await shortcut(page, 'a', 'v');
      assert.equal(await valueOf(page, 'Text4'), masks(1), 'a paste went past the limit');
      await page.press('Backspace');
      assert.equal(await valueOf(page, 'Text4'), '');
      // A drop goes through the limit as a paste does.
      if (page.can('drop')) {
        await page.$eval(byName('Text4'), (box) => {
          const data = new DataTransfer();
          data.setData('text/plain', '45');
          box.dispatchEvent(new InputEvent('beforeinput',
            { inputType: 'insertFromDrop', dataTransfer: data, cancelable: true, bubbles: true }));
        });
        assert.equal(await valueOf(page, 'Text4'), masks(1), 'a drop went past the limit');
        await page.press('Backspace');
      } else page.skip('masked', 'drop');
      if (page.can('ime')) {
        await page.compose('７');
        assert.equal(await valueOf(page, 'Text4'), '', 'a masked box took input-method text');
      } else page.skip('masked', 'ime');
    });
  },

  // Keys and focus as on the desktop.
  async keys() {
    await withPage({}, async (page) => {
      await open(page);
      assert.equal(await focused(page), 'Text1');
      await page.type('4');
      assert.equal(await focused(page), 'Text2');
      await page.click(byName('Text1'));
      await page.type('5');
      assert.equal(await valueOf(page, 'Text1'), '4', 'a full box took more');
      // A pasted pair of surrogates does not fit in one unit: refused whole.
      await copyFromPlainBox(page, '😀');
      await page.click(byName('Text3'));
      await shortcut(page, 'v');
      assert.equal(await valueOf(page, 'Text3'), '');
      // Finished input-method text goes through the limit.
      if (page.can('ime')) {
        await page.commitComposition('７８');
        assert.equal(await valueOf(page, 'Text3'), '７');
      } else page.skip('keys', 'ime');
      await page.click(byName('Command2'));
      assert.equal(await focused(page), 'Command2');
      assert.equal(await valueOf(page, 'Text1'), '');
      // Enter and Escape press nothing; Space presses the focused button.
      await page.click(byName('Text1'));
      await page.type('123');
      await page.focus(byName('Command1'));
      await page.press('Enter');
      await page.press('Escape');
      assert.equal(await valueOf(page, 'Text11'), '', 'Enter pressed a button');
      await page.press('Space');
      assert.equal(await valueOf(page, 'Text11'), '精准6胆：234789');
      assert.equal(await focused(page), 'Command1');
      // The banner never takes the focus, by click or by Tab.
      await page.click(byName('Text12'));
      assert.notEqual(await focused(page), 'Text12');
      for (let i = 0; i < 20; ++i) {
        await page.press('Tab');
        assert.notEqual(await focused(page), 'Text12');
      }
    });
  },

  // Where the browser keeps the tab open, 退出系统 empties every box and
  // says so in the page, with a control that starts it again.
  async exit() {
    await withPage({}, async (page) => {
      await open(page);
      // A second history entry: no browser lets a script close such a tab.
      await page.evaluate(() => history.pushState(null, '', location.href));
      await forecast(page, '123');
      await page.click(byName('Command3'));
      const rows = design.controls;
      for (const row of rows.filter((r) => r.kind === 'box' && r.enabled)) {
        assert.equal(await valueOf(page, row.name), '', `${row.name} kept its text`);
      }
      const notice = await page.$eval('[role=alert]', (n) => n.textContent);
      assert.ok(notice.startsWith(design.ended));
      await page.navigate(() => page.click('[role=alert] button'));
      assert.equal(await focused(page), 'Text1');
    });
  },

  // The site from a local server: visited once, then offline, it still
  // opens and forecasts; its cache holds its own files and nothing else.
  async site() {
    const server = await serveSite();
    try {
      await withPage({}, async (page) => {
        await open(page, server.origin + '/');
        await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
        await page.reload();
        assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));
        const cached = await page.evaluate(async () => {
          const names = await caches.keys();
          const urls = [];
          for (const name of names) for (const r of await (await caches.open(name)).keys()) urls.push(r.url);
          return { names, urls };
        });
        assert.equal(cached.names.length, 1);
        for (const url of cached.urls) assert.ok(url.startsWith(server.origin + '/'), `cached ${url}`);
        // Offline: the server gone, not only the page's own requests cut off.
        await new Promise((resolve) => { server.close(resolve); server.closeAllConnections(); });
        await page.reload();
        await forecast(page, '000');
        assert.equal(await valueOf(page, 'Text11'), '精准6胆：014569');
      });
    } finally {
      server.closeAllConnections();
      server.close();
    }
  },

  // A host that lets browsers keep its files for an hour gets a changed
  // build at the same version: the first reload finds the new worker, which
  // fetches the files anew, and the second runs the new program.
  async update() {
    const server = await serveSite({ 'Cache-Control': 'max-age=3600' });
    try {
      await withPage({}, async (page) => {
        await open(page, server.origin + '/');
        await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
        const [first] = await page.evaluate(() => caches.keys());
        server.root = changedSitePath;
        await page.reload();
        // The new worker has taken over once it has dropped the first
        // build's cache; a while, not forever, where it never comes.
        await page.evaluate((old) => new Promise((resolve) => {
          const deadline = Date.now() + 20000;
          const poll = () => caches.has(old).then((kept) => {
            if (kept && Date.now() < deadline) setTimeout(poll, 100);
            else resolve();
          });
          poll();
        }), first);
        await page.reload();
        assert.ok(await page.evaluate(() => window.lumivarChangedBuild === true), 'the first build still runs');
        await forecast(page, '123');
        assert.equal(await valueOf(page, 'Text11'), '精准6胆：234789');
      });
    } finally {
      server.closeAllConnections();
      server.close();
    }
  },

  // No script, as a phone's file preview shows the file, at 800 and 390 px
  // wide: every control of the design at its place, with its name, caption,
  // colours and face, none covered, and the notice under the window; the
  // window fits the screen and nothing is cut off.
  async noscript() {
    for (const width of [800, 390]) {
      await withPage({ viewport: { width, height: 900 }, notice: true }, async (page) => {
        await page.setScripts(false);
        await page.goto(pageUrl);
        await page.evaluate(() => document.fonts.ready.then(() => true));  // the notice's lines wrap in them
        const scale = Math.min(1, width / windowRow.rect[2]);
        const shown = await page.evaluate(renderedControls, design.controls.map((row) => row.name));
        assert.equal(shown.title, windowRow.caption);
        assert.equal(shown.form.label, windowRow.label);
        assert.equal(shown.form.ground, rgb(windowRow.ground));
        assert.ok(shown.scrollWidth <= width, 'the page scrolls sideways');
        assertNear(shown.form.rect, windowRow.windowRect.map((v) => v * scale), 'Form1');
        for (const row of design.controls.slice(1)) assertRendered(row, shown.controls[row.name], scale);
        const { noScript, tooOld } = shown.notices;
        assert.ok(noScript.text.includes(design.notice.what) && noScript.text.includes(design.notice.noScript));
        assert.ok(noScript.rect[1] >= shown.form.rect[1] + shown.form.rect[3] - 0.5, 'the notice covers the window');
        assert.ok(noScript.rect[2] > 0 && noScript.rect[0] + noScript.rect[2] <= width + 0.5, 'the notice is cut off');
        assert.ok(tooOld.hidden);
        if (process.env.LUMIVAR_SCREENSHOT && width < windowRow.rect[2]) {
          await page.setViewport({ width, height: Math.ceil(noScript.rect[1] + noScript.rect[3]), deviceScaleFactor: 2 });
          await page.screenshot(process.env.LUMIVAR_SCREENSHOT);
        }
      });
    }
  },

  // No WebAssembly: neither policy asks for it, and with it deleted before
  // the page's scripts the page still forecasts. A script that the engine
  // cannot parse leaves the window and the notice of a browser too old.
  async fallback() {
    for (const file of [pagePath, path.join(sitePath, 'index.html')]) {
      assert.doesNotMatch(policyOf(fs.readFileSync(file, 'utf8')), /unsafe-eval/, file);
    }
    await withPage({}, async (page) => {
      await page.beforeScripts(() => {
        delete window.WebAssembly;
        window.lumivarNoWebAssembly = !('WebAssembly' in window);
      });
      await open(page);
      assert.ok(await page.evaluate(() => window.lumivarNoWebAssembly));
      await forecast(page, '123');
      assert.equal(await valueOf(page, 'Text11'), '精准6胆：234789');
    });
    const old = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'lumivar-old-')), 'lumivar.html');
    fs.writeFileSync(old, withUnparsableScript(fs.readFileSync(pagePath, 'utf8')));
    await withPage({ notice: true, problems: [/SyntaxError|Unexpected/] }, async (page) => {
      await page.goto('file://' + old);
      const notice = await page.evaluate(() => {
        const element = document.getElementById('notice');
        return { hidden: element.hidden, text: element.textContent, height: element.getBoundingClientRect().height,
          started: document.documentElement.hasAttribute('data-started') };
      });
      assert.ok(!notice.hidden && notice.height > 0, 'no notice where the script cannot run');
      assert.ok(notice.text.includes(design.notice.tooOld));
      assert.ok(!notice.started);
      const missing = await page.evaluate((ids) => ids.filter((id) => !document.getElementById(id)),
        design.controls.slice(1).map((row) => byName(row.name).slice(1)));
      assert.deepEqual(missing, [], 'the window lost controls');
    });
  },

  // Draws typed in and forecast, each box then as the forecast core leaves
  // it, masked where the design masks it: every draw from 000 to 999 where
  // the page runs fast, elsewhere 100 spread over them.
  async draws() {
    // Emscripten's loader reads the .wasm from disk only when node has no fetch.
    const table = JSON.parse(execFileSync(process.execPath,
      ['--no-experimental-fetch', process.env.LUMIVAR_DRAW_TABLE || 'lumivar_draw_table.js']));
    await withPage({}, async (page) => {
      await open(page);
      const { controls, mask } = design;
      const boxes = controls.filter((r) => r.kind === 'box' && r.name !== 'Text12');
      const selector = boxes.find((r) => r.name === 'Text8').field;
      let draws = Object.keys(table).sort();
      if (!page.fullDraws) {
        draws = [...new Set(Array.from({ length: 100 }, (_, i) => draws[Math.round(i * (draws.length - 1) / 99)]))];
        assert.ok(draws.includes('000') && draws.includes('999'));
        assert.ok(draws.some((draw) => Number(table[draw][selector]) >= 10), 'no selector of 10 or more');
        console.log(`draws: ${draws.length} of ${Object.keys(table).length} in ${page.engine}`);
      }
      for (const draw of draws) {
        await page.click(byName('Command2'));
        await forecast(page, draw);
        const shown = await page.evaluate((names) => names.map((name) => document.getElementById(name).value),
          boxes.map((r) => byName(r.name).slice(1)));
        const expected = boxes.map((r) => (r.masked ? mask.repeat(table[draw][r.field].length) : table[draw][r.field]));
        assert.deepEqual(shown, expected, `draw ${draw}`);
      }
    });
  }
};

const [, , engineName, name] = process.argv;
if (!engines[engineName] || !checks[name]) {
  console.error(`usage: browser_test.js ${Object.keys(engines).join('|')} ${Object.keys(checks).join('|')}`);
  process.exit(2);
}
engine = engineName;
checks[name]().then(() => console.log(`${name}: PASS in ${engine}`), (error) => {
  console.error(`${name}: FAIL: ${error.stack || error}`);
  process.exit(1);
});
