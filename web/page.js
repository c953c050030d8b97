'use strict';
// Builds Form1 in the document from the design that the WebAssembly side
// reads from the layout table, and hands every click, edit and finished
// composition to it. The boxes' texts are the field set itself: this script
// keeps no copy of them, and a masked box's text never enters the document.
// LUMIVAR_RESOURCES (set before this script) maps each resource of the design
// to its URL: data: URIs in the single file, relative paths on a site.
var lumivarPage = (function () {
  const boxes = [];
  const elements = {};
  let design = null;
  let form = null;

  function wasmText(units, length) {
    return String.fromCharCode.apply(null, Module.HEAPU16.subarray(units >> 1, (units >> 1) + length));
  }

  // Calls an entry point with a text, copied into the heap for the call.
  function withText(text, call) {
    const units = Module._malloc(2 * text.length + 2);
    for (let i = 0; i < text.length; ++i) Module.HEAPU16[(units >> 1) + i] = text.charCodeAt(i);
    try {
      return call(units, text.length);
    } finally {
      Module._free(units);
    }
  }

  function place(element, rect) {
    const [left, top, width, height] = rect;
    Object.assign(element.style, {
      left: left + 'px', top: top + 'px', width: width + 'px', height: height + 'px'
    });
  }

  function applyFont(element, font) {
    if (!font) return;
    element.style.fontFamily = font.families.map((family) => '"' + family + '"').join(',');
    element.style.fontSize = font.points + 'pt';
  }

  function applyColours(element, row) {
    if (row.text) element.style.color = row.text;
    if (row.ground) element.style.backgroundColor = row.ground;
  }

  function makeFrame(row) {
    const frame = document.createElement('div');
    frame.className = 'frame';
    frame.setAttribute('role', 'group');
    frame.setAttribute('aria-label', row.label);
    // The caption sits in a band one em of the window's font high, across
    // the top line; the lines run through the middle of that band.
    const band = design.controls[0].font.points * 4 / 3;
    frame.style.setProperty('--band', band + 'px');
    for (const line of ['dark', 'light']) {
      const edge = document.createElement('div');
      edge.className = 'frame-line ' + line;
      frame.appendChild(edge);
    }
    const caption = document.createElement('span');
    caption.className = 'caption';
    caption.setAttribute('aria-hidden', 'true');
    caption.textContent = row.caption;
    applyColours(caption, row);
    frame.appendChild(caption);
    return frame;
  }

  function makeBox(row) {
    const box = document.createElement('input');
    box.type = 'text';
    box.className = 'box';
    box.setAttribute('aria-label', row.label);
    for (const [name, value] of [['autocomplete', 'off'], ['autocapitalize', 'off'],
      ['autocorrect', 'off'], ['spellcheck', 'false']]) {
      box.setAttribute(name, value);
    }
    if (row.numeric) box.inputMode = 'numeric';
    if (row.masked) {
      box.setAttribute('aria-description', design.hidden);
      box.classList.add('masked');
    }
    box.disabled = !row.enabled;
    box.value = row.caption;
    boxes[row.field] = box;
    listenToBox(box, row);
    return box;
  }

  // A box draws its text white, and a layer over its inside multiplies that
  // by the text colour. The browser smooths glyph edges differently for
  // light and dark colours; drawn white, one character has one shape in
  // every box, whatever its colour, as on the desktop.
  function tint(box, row) {
    if (!row.text || row.text.toUpperCase() === '#FFFFFF') return;
    const layer = document.createElement('div');
    layer.className = 'control tint';
    layer.setAttribute('aria-hidden', 'true');
    const [left, top, width, height] = row.rect;
    place(layer, [left + 1, top + 1, width - 2, height - 2]);
    layer.style.backgroundColor = row.text;
    box.style.color = '#FFFFFF';
    box.after(layer);
  }

  function makeButton(row) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'button';
    button.textContent = row.caption;
    button.addEventListener('click', () => {
      button.focus();  // Safari leaves the focus where it was
      Module._lumivar_command(row.command);
    });
    return button;
  }

  function makePicture(row) {
    const picture = document.createElement('img');
    const dot = row.resource.lastIndexOf('.');
    const double = row.resource.slice(0, dot) + '@2x' + row.resource.slice(dot);
    picture.src = LUMIVAR_RESOURCES[row.resource];
    if (LUMIVAR_RESOURCES[double]) picture.srcset = picture.src + ' 1x, ' + LUMIVAR_RESOURCES[double] + ' 2x';
    picture.alt = row.label;
    picture.draggable = false;
    return picture;
  }

  const makers = { frame: makeFrame, box: makeBox, button: makeButton, picture: makePicture };

  function build(root) {
    const window = design.controls[0];
    document.title = window.caption;
    form = document.createElement('div');
    form.id = 'form1';
    form.setAttribute('aria-label', window.label);
    place(form, window.rect);
    applyColours(form, window);
    applyFont(form, window.font);
    elements[window.name] = form;
    for (const row of design.controls.slice(1)) {
      const element = makers[row.kind](row);
      element.classList.add('control');
      element.id = row.name.replace(/[()]/g, '_');
      place(element, row.rect);
      if (row.kind !== 'frame') applyColours(element, row);
      applyFont(element, row.font);
      if (row.focusOrder >= 0) element.tabIndex = row.focusOrder + 1;
      elements[row.parent].appendChild(element);
      elements[row.name] = element;
      if (row.kind === 'box') tint(element, row);
    }
    root.appendChild(form);
  }

  // What an edit replaces and inserts, from the box's selection and the kind
  // of input; null for kinds that change nothing here (undo, line breaks).
  function editOf(box, event) {
    const start = box.selectionStart;
    const end = box.selectionEnd;
    const type = event.inputType;
    if (type.startsWith('insert')) {
      if (type === 'insertLineBreak' || type === 'insertParagraph') return null;
      const text = event.data !== null ? event.data
        : event.dataTransfer ? event.dataTransfer.getData('text/plain') : '';
      return [start, end - start, text];
    }
    if (!type.startsWith('delete')) return null;
    if (start !== end) return [start, end - start, ''];
    const value = box.value;
    const backward = type.endsWith('Backward');
    if (type === 'deleteContentBackward' || type === 'deleteContentForward') {
      // A surrogate pair goes as one character.
      const at = backward ? start - 2 : start;
      const pair = at >= 0 && /[\uD800-\uDBFF]/.test(value[at] || '') &&
        /[\uDC00-\uDFFF]/.test(value[at + 1] || '');
      const length = pair ? 2 : 1;
      return backward ? [Math.max(0, start - length), Math.min(start, length), '']
        : [start, Math.min(value.length - start, length), ''];
    }
    return backward ? [0, start, ''] : [start, value.length - start, ''];
  }

  function listenToBox(box, row) {
    let before = '';
    box.addEventListener('beforeinput', (event) => {
      if (event.inputType === 'insertCompositionText') return;  // taken when it ends
      event.preventDefault();
      const edit = editOf(box, event);
      if (!edit) return;
      const [start, length, text] = edit;
      withText(text, (units, count) => Module._lumivar_edit(row.field, start, length, units, count));
    });
    const compose = () => withText(before, (units, count) =>
      Module._lumivar_composition(row.field, units, count, box.selectionEnd));
    box.addEventListener('compositionstart', () => { before = box.value; });
    box.addEventListener('compositionend', compose);
    // A masked box takes no input-method text, and shows none of it: its
    // mask comes back at once, which ends the composition.
    if (row.masked) box.addEventListener('input', (event) => { if (event.isComposing) compose(); });
    if (!row.masked) return;
    // Copy gives nothing, cut neither copies nor deletes, and nothing is
    // dragged out of a masked box.
    box.addEventListener('copy', (event) => {
      event.preventDefault();
      event.clipboardData.setData('text/plain', '');
    });
    box.addEventListener('cut', (event) => event.preventDefault());
    box.addEventListener('dragstart', (event) => event.preventDefault());
  }

  // Enter and Escape press no button; Space still does.
  function listenToKeys() {
    document.addEventListener('keydown', (event) => {
      if ((event.key === 'Enter' || event.key === 'Escape') && event.target.tagName === 'BUTTON') {
        event.preventDefault();
      }
    });
  }

  // Narrow screens see the whole window scaled down; it never grows.
  function fit(root) {
    const width = design.controls[0].rect[2];
    const height = design.controls[0].rect[3];
    const scale = Math.min(1, document.documentElement.clientWidth / width);
    form.style.transform = 'scale(' + scale + ')';
    root.style.width = width * scale + 'px';
    root.style.height = height * scale + 'px';
  }

  function loadFaces() {
    const faces = design.faces.map((face) =>
      new FontFace(face.family, 'url(' + LUMIVAR_RESOURCES[face.resource] + ')', { weight: 'bold' }));
    for (const face of faces) document.fonts.add(face);
    // The first face draws every box at start; the others load when used.
    return faces[0].load();
  }

  function start() {
    design = JSON.parse(wasmText(Module._lumivar_design(), Module._lumivar_design_length()));
    const root = document.getElementById('page');
    const song = loadFaces();
    build(root);
    listenToKeys();
    fit(root);
    window.addEventListener('resize', () => fit(root));
    Module._lumivar_start();
    // Ready: every control built, the Song face loaded and the focus in the
    // first box, at the next frame that draws them.
    song.then(() => requestAnimationFrame(() => {
      document.documentElement.dataset.ready = 'true';
      performance.mark('lumivar-ready');
    }));
  }

  return {
    start,
    boxText: (field) => boxes[field].value,
    showText(field, text, cursor) {
      const box = boxes[field];
      box.value = text;
      if (cursor >= 0) box.setSelectionRange(cursor, cursor);
    },
    focusBox: (field) => boxes[field].focus(),
    closePage() {
      window.close();
      return window.closed;
    },
    showEnded() {
      const notice = document.createElement('div');
      notice.className = 'ended';
      notice.setAttribute('role', 'alert');
      applyFont(notice, design.controls[0].font);
      const text = document.createElement('p');
      text.textContent = design.ended;
      const again = document.createElement('button');
      again.type = 'button';
      again.className = 'button';
      again.textContent = design.restart;
      again.addEventListener('click', () => location.reload());
      notice.append(text, again);
      form.appendChild(notice);
      again.focus();
    }
  };
})();

var Module = { onRuntimeInitialized: () => lumivarPage.start() };
