'use strict';
// The three engines the page's checks run in, each behind the same small
// page interface: chromium and Firefox ESR through puppeteer-core, WebKitGTK
// (MiniBrowser) through its WebKitWebDriver over classic WebDriver. All are
// Debian's own builds. Each adapter lists in `lacks` what its driver cannot
// do; a check asks `page.can(what)` and says so in its output when it leaves
// something out.
//
// The page interface:
//   open(url)  reload()  navigate(action)     load, then wait for html[data-ready]
//   evaluate(fn, ...args)  $eval(selector, fn, ...args)  content()  title()
//   click(selector)  tap(selector)  focus(selector)
//   type(text)  press(key)  shortcut(...keys)  insertText(text)
//   setViewport({width, height, deviceScaleFactor, isMobile, hasTouch})
//   screenshot(path)  requests()  problems()
//   goto(url)                                  load only, for a page that never gets ready
//   accessibilityTree()  compose(text)  commitComposition(text)   (chromium only)
//   setScripts(enabled)  beforeScripts(fn)                        (chromium only)
//   fullDraws                                  true where every draw is run
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');

// Listeners for what a page reports as wrong; the puppeteer engines set them
// before the page's scripts, WebKit only once the page has loaded.
function watchProblems() {
  window.lumivarProblems = window.lumivarProblems || [];
  document.addEventListener('securitypolicyviolation', (event) => {
    console.error('Content-Security-Policy violation: ' + event.violatedDirective + ' ' + event.blockedURI);
    window.lumivarProblems.push('policy: ' + event.violatedDirective + ' ' + event.blockedURI);
  });
  window.addEventListener('error', (event) => window.lumivarProblems.push('page error: ' + event.message));
  window.addEventListener('unhandledrejection', (event) =>
    window.lumivarProblems.push('page error: ' + event.reason));
}

const ready = 'html[data-ready]';

// What each adapter builds on: the calls that are the same for every engine.
class Page {
  constructor(engine, lacks) {
    this.engine = engine;
    this.lacks = lacks;
    this.fullDraws = engine === 'chromium';
  }
  can(what) {
    return !this.lacks[what];
  }
  // Says in the test's output what the check leaves out here, and why.
  skip(check, what) {
    console.log(`${check}: SKIPPED in ${this.engine}: ${what} (${this.lacks[what]})`);
  }
  $eval(selector, fn, ...args) {
    return this.evaluate(new Function('selector', 'args',
      `return (${fn})(document.querySelector(selector), ...args);`), selector, args);
  }
  content() {
    return this.evaluate(() => document.documentElement.outerHTML);
  }
  title() {
    return this.evaluate(() => document.title);
  }
  open(url) {
    return this.navigate(() => this.goto(url));
  }
  reload() {
    return this.navigate(() => this.evaluate(() => { setTimeout(() => location.reload()); }));
  }
}

// ---- chromium and Firefox: puppeteer-core -----------------------------------

class PuppeteerPage extends Page {
  constructor(engine, lacks, page) {
    super(engine, lacks);
    this.page = page;
    this.seen = [];
    this.reported = [];
    page.on('request', (request) => this.seen.push(request.url()));
    page.on('console', (message) => {
      if (message.type() === 'error' || /Content.Security.Policy/i.test(message.text())) {
        this.reported.push('console: ' + message.text());
      }
    });
    page.on('pageerror', (error) => this.reported.push('page error: ' + error.message));
  }
  async start() {
    await this.page.evaluateOnNewDocument(watchProblems);
  }
  goto(url) {
    return this.page.goto(url);
  }
  async navigate(action) {
    await Promise.all([this.page.waitForNavigation(), action()]);
    await this.page.waitForSelector(ready);
  }
  evaluate(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }
  click(selector) {
    return this.page.click(selector);
  }
  tap(selector) {
    return this.can('touch') ? this.page.tap(selector) : this.page.click(selector);
  }
  focus(selector) {
    return this.page.focus(selector);
  }
  type(text) {
    return this.page.keyboard.type(text);
  }
  // BiDi knows the space bar only as ' '.
  press(key) {
    return this.page.keyboard.press(key === 'Space' && this.engine === 'firefox' ? ' ' : key);
  }
  async shortcut(...keys) {
    await this.page.keyboard.down('Control');
    for (const key of keys) await this.page.keyboard.press(key);
    await this.page.keyboard.up('Control');
  }
  // Text as one insertion, as an input method or the character viewer gives it.
  insertText(text) {
    return this.engine === 'chromium' ? this.page.keyboard.sendCharacter(text) : this.page.keyboard.type(text);
  }
  // An older Firefox ESR (Debian 12's) knows no screen orientation over
  // BiDi: the size is set all the same, and waited for here.
  async setViewport(viewport) {
    try {
      await this.page.setViewport(viewport);
    } catch (error) {
      if (!/unknown command emulation\.setScreenOrientationOverride/.test(error.message)) throw error;
      await this.page.waitForFunction((width, height) => innerWidth === width && innerHeight === height, {},
        viewport.width, viewport.height);
    }
  }
  screenshot(file) {
    return this.page.screenshot({ path: file });
  }
  async requests() {
    return this.seen;
  }
  async problems() {
    return this.reported;
  }
  accessibilityTree() {
    return this.page.accessibility.snapshot({ interestingOnly: false });
  }
  async compose(text) {
    const client = await this.page.createCDPSession();
    await client.send('Input.imeSetComposition', { text, selectionStart: text.length, selectionEnd: text.length });
    return client;
  }
  async commitComposition(text) {
    const client = await this.compose(text);
    await client.send('Input.insertText', { text });
  }
  setScripts(enabled) {
    return this.page.setJavaScriptEnabled(enabled);
  }
  beforeScripts(fn) {
    return this.page.evaluateOnNewDocument(fn);
  }
}

async function puppeteerEngine(engine, options, lacks) {
  const puppeteer = require('puppeteer-core');
  const browser = await puppeteer.launch({ headless: true, ...options });
  const page = new PuppeteerPage(engine, lacks, await browser.newPage());
  await page.start();
  return { page, close: () => browser.close() };
}

const engines = {
  chromium: () => puppeteerEngine('chromium', {
    executablePath: process.env.LUMIVAR_CHROMIUM || '/usr/bin/chromium',
    args: ['--test-type', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', ...(process.getuid() === 0 ? ['--no-sandbox'] : [])]
  }, {}),

  // WebDriver BiDi: no CDP, so no accessibility snapshot and no input method.
  firefox: () => puppeteerEngine('firefox', {
    browser: 'firefox',
    executablePath: process.env.LUMIVAR_FIREFOX || '/usr/bin/firefox-esr'
  }, {
    accessibility: 'no accessibility snapshot without CDP',
    ime: 'no input-method events without CDP',
    touch: 'touch and a mobile viewport are not emulated; taps are clicks'
  }),

  webkit: webkitEngine
};

// ---- WebKitGTK: MiniBrowser through WebKitWebDriver -------------------------

// The key names of the checks in WebDriver's key codes.
function webDriverKey(Key, key) {
  const named = { Backspace: Key.BACK_SPACE, End: Key.END, Tab: Key.TAB, Enter: Key.ENTER,
    Escape: Key.ESCAPE, Space: ' ', Control: Key.CONTROL };
  return named[key] || key;
}

// The narrowest window MiniBrowser makes; narrower pages open in an iframe
// of that size inside a page of its own.
const webkitNarrowest = 447;

class WebDriverPage extends Page {
  constructor(driver, webdriver) {
    super('webkit', {
      accessibility: 'no accessibility tree over WebDriver',
      ime: 'no input-method events over WebDriver',
      touch: 'no touch over WebDriver; taps are clicks',
      scale: 'no device pixel ratio over WebDriver',
      drop: 'a made-up InputEvent carries no dataTransfer here, and WebDriver drags no text'
    });
    this.driver = driver;
    this.webdriver = webdriver;
    this.viewport = null;  // set by setViewport before the first page
    this.collected = [];
    this.frameFile = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'lumivar-webkit-')), 'frame.html');
  }
  async goto(url) {
    const { width, height } = this.viewport;
    await this.driver.switchTo().defaultContent();
    if (width >= webkitNarrowest) {
      await this.driver.get(url);
      return;
    }
    fs.writeFileSync(this.frameFile, '<!doctype html><body style="margin:0">' +
      `<iframe src="${url}" width="${width}" height="${height}" style="border:0;display:block"></iframe>`);
    await this.driver.get('file://' + this.frameFile);
    await this.driver.switchTo().frame(await this.driver.findElement(this.webdriver.By.css('iframe')));
  }
  // Problems of the document about to go, then the action, then the new
  // document once ready, watched from then on.
  async navigate(action) {
    this.collected.push(...await this.leftProblems());
    await this.evaluate(() => { window.lumivarLeaving = true; }).catch(() => {});
    await action();
    await this.driver.wait(async () => {
      try {
        return await this.evaluate((selector) => !window.lumivarLeaving && document.querySelector(selector) !== null,
          ready);
      } catch {
        return false;
      }
    }, 30000, 'the page did not become ready');
    await this.evaluate(watchProblems);
  }
  async leftProblems() {
    try {
      return await this.evaluate(() => window.lumivarProblems || []);
    } catch {
      return [];
    }
  }
  async evaluate(fn, ...args) {
    const result = await this.driver.executeAsyncScript(
      `const done = arguments[arguments.length - 1];
       Promise.resolve().then(() => (${fn}).apply(null, Array.prototype.slice.call(arguments, 0, -1)))
         .then((value) => done({ value: value === undefined ? null : value }),
           (error) => done({ error: String(error && error.stack || error) }));`, ...args);
    if (result.error) throw new Error(result.error);
    return result.value;
  }
  find(selector) {
    return this.driver.findElement(this.webdriver.By.css(selector));
  }
  async click(selector) {
    await this.driver.actions().move({ origin: await this.find(selector) }).press().release().perform();
  }
  tap(selector) {
    return this.click(selector);
  }
  focus(selector) {
    return this.$eval(selector, (element) => element.focus());
  }
  type(text) {
    return this.driver.actions().sendKeys(text).perform();
  }
  insertText(text) {
    return this.type(text);
  }
  press(key) {
    return this.driver.actions().sendKeys(webDriverKey(this.webdriver.Key, key)).perform();
  }
  async shortcut(...keys) {
    const { Key } = this.webdriver;
    let actions = this.driver.actions().keyDown(Key.CONTROL);
    for (const key of keys) actions = actions.sendKeys(webDriverKey(Key, key));
    await actions.keyUp(Key.CONTROL).perform();
  }
  async setViewport(viewport) {
    this.viewport = viewport;
    await this.driver.manage().window().setRect({
      width: Math.max(viewport.width, webkitNarrowest), height: viewport.height });
    // The window's outer size holds MiniBrowser's own bars: grow it until
    // the document gets the height asked for.
    const inner = await this.evaluate(() => window.innerHeight);
    if (inner < viewport.height) {
      await this.driver.manage().window().setRect({
        width: Math.max(viewport.width, webkitNarrowest), height: 2 * viewport.height - inner });
    }
  }
  async screenshot(file) {
    fs.writeFileSync(file, Buffer.from(await this.driver.takeScreenshot(), 'base64'));
  }
  // No request events: the document's own Resource Timing.
  requests() {
    return this.evaluate(() => [location.href,
      ...performance.getEntriesByType('resource').map((entry) => entry.name)]);
  }
  async problems() {
    return [...this.collected, ...await this.leftProblems()];
  }
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer();
    probe.on('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

function findDriver() {
  for (const name of ['WebKitWebDriver', 'webkitgtk-webdriver']) {
    for (const dir of (process.env.PATH || '/usr/bin').split(':')) {
      const file = path.join(dir, name);
      if (fs.existsSync(file)) return file;
    }
  }
  throw new Error('neither WebKitWebDriver nor webkitgtk-webdriver is installed (webkit2gtk-driver)');
}

// The driver on an Xvfb of its own, both in one new process group, which
// close() ends whole: MiniBrowser, started by the driver, is in it too.
async function webkitEngine() {
  const webdriver = require('selenium-webdriver');
  const port = await freePort();
  const xvfb = path.join(__dirname, '..', 'e2e', 'xvfb.sh');
  const group = spawn('bash', ['-c', 'source "$1" && start_xvfb && "$2" --port="$3"', 'webkit',
    xvfb, findDriver(), String(port)], { detached: true, stdio: ['ignore', 'ignore', 'inherit'] });
  const stop = async () => {
    try {
      process.kill(-group.pid, 'SIGTERM');
    } catch {
      return;
    }
    for (let i = 0; i < 50 && group.exitCode === null; ++i) await new Promise((r) => setTimeout(r, 100));
    try {
      process.kill(-group.pid, 'SIGKILL');
    } catch {
      // already gone
    }
  };
  try {
    const url = `http://127.0.0.1:${port}`;
    for (let i = 0; ; ++i) {
      try {
        if ((await fetch(url + '/status')).ok) break;
      } catch (error) {
        if (i > 100 || group.exitCode !== null) throw new Error('WebKitWebDriver did not start: ' + error);
      }
      await new Promise((r) => setTimeout(r, 100));
    }
    const capabilities = new webdriver.Capabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': {
        binary: process.env.LUMIVAR_MINIBROWSER || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
        args: ['--automation']
      }
    });
    const driver = await new webdriver.Builder().usingServer(url).withCapabilities(capabilities).build();
    const page = new WebDriverPage(driver, webdriver);
    await driver.get('about:blank');
    return { page, close: async () => { await driver.quit().catch(() => {}); await stop(); } };
  } catch (error) {
    await stop();
    throw error;
  }
}

module.exports = { engines };
