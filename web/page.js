'use strict';
// Takes over Form1, which the packer wrote into the document from the layout
// table, and hands every click, edit and finished composition to the C++
// program, which launch.js starts. The boxes' texts are the field set
// itself: this script keeps no copy of them, and a masked box's text never
// enters the document.
var lumivarPage = (function () {
  const boxes = [];
  const form = document.getElementById('form1');
  let program = null;

  // Calls an entry point with a text, copied into the heap for the call.
  function withText(text, call) {
    const units = program._malloc(2 * text.length + 2);
    for (let i = 0; i < text.length; ++i) program.HEAPU16[(units >> 1) + i] = text.charCodeAt(i);
    try {
      return call(units, text.length);
    } finally {
      program._free(units);
    }
  }

  function attachBox(box) {
    const field = Number(box.dataset.field);
    boxes[field] = box;
    listenToBox(box, field, box.classList.contains('masked'));
  }

  function attachButton(button) {
    const command = Number(button.dataset.command);
    button.addEventListener('click', () => {
      button.focus();  // Safari leaves the focus where it was
      program._lumivar_command(command);
    });
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

  function listenToBox(box, field, masked) {
    let before = '';
    box.addEventListener('beforeinput', (event) => {
      if (event.inputType === 'insertCompositionText') return;  // taken when it ends
      event.preventDefault();
      const edit = editOf(box, event);
      if (!edit) return;
      const [start, length, text] = edit;
      withText(text, (units, count) => program._lumivar_edit(field, start, length, units, count));
    });
    const compose = () => withText(before, (units, count) =>
      program._lumivar_composition(field, units, count, box.selectionEnd));
    box.addEventListener('compositionstart', () => { before = box.value; });
    box.addEventListener('compositionend', compose);
    // A masked box takes no input-method text, and shows none of it: its
    // mask comes back at once, which ends the composition.
    if (masked) box.addEventListener('input', (event) => { if (event.isComposing) compose(); });
    if (!masked) return;
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

  // Narrow screens see the whole window scaled down; it never grows. The
  // style sheet does this in steps, for a page that runs no script; here it
  // is exact.
  function fit() {
    const page = document.getElementById('page');
    const width = form.offsetWidth;
    const scale = Math.min(1, document.documentElement.clientWidth / width);
    form.style.transform = 'scale(' + scale + ')';
    page.style.height = form.offsetHeight * scale + 'px';
    for (const element of [page, ...document.querySelectorAll('.notice')]) {
      element.style.width = width * scale + 'px';
    }
  }

  function start(instance) {
    program = instance;
    form.querySelectorAll('input[data-field]').forEach(attachBox);
    form.querySelectorAll('button[data-command]').forEach(attachButton);
    listenToKeys();
    program._lumivar_start();
  }

  // The window is fitted as its first frame begins, in the layout that frame
  // needs anyway; the program starts after that frame.
  requestAnimationFrame(fit);
  window.addEventListener('resize', fit);
  lumivarLaunch(start);

  return {
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
      const ended = form.querySelector('.ended');
      const again = ended.querySelector('button');
      again.addEventListener('click', () => location.reload());
      ended.hidden = false;
      again.focus();
    }
  };
})();
