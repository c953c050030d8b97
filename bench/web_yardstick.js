'use strict';
// The yardstick page's script: the window's first box, which the packer
// wrote into the document, takes a digit in the bundled Song face and the
// cursor; ready once that face has loaded, as the page is.
var yardstick = {
  show(digit) {
    const box = document.getElementById('Text1');
    box.value = digit;
    box.focus();
    document.documentElement.dataset.started = 'true';
    const style = getComputedStyle(box);
    document.fonts.load(style.fontWeight + ' ' + style.fontSize + ' ' + style.fontFamily).then(() =>
      requestAnimationFrame(() => {
        document.documentElement.dataset.ready = 'true';
        performance.mark('lumivar-ready');
      }));
  }
};
var Module = { onRuntimeInitialized: () => Module._yardstick_start() };
