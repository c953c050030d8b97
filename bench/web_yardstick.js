'use strict';
// The yardstick page's script: one box, its digit in the bundled Song face,
// the cursor in it; ready once that face has loaded, as the page is.
var yardstick = {
  show(digit) {
    document.title = 'yardstick';
    const face = new FontFace('Lumivar Song', 'url(' + LUMIVAR_RESOURCES['fonts/LumivarSong-Bold.woff2'] + ')',
      { weight: 'bold' });
    document.fonts.add(face);
    const box = document.createElement('input');
    Object.assign(box.style, { position: 'absolute', left: '16px', top: '24px', width: '65px',
      height: '49px', fontFamily: '"宋体","Lumivar Song"', fontSize: '26.25pt', fontWeight: 'bold' });
    box.value = digit;
    document.getElementById('page').appendChild(box);
    box.focus();
    face.load().then(() => requestAnimationFrame(() => {
      document.documentElement.dataset.ready = 'true';
      performance.mark('lumivar-ready');
    }));
  }
};
var Module = { onRuntimeInitialized: () => Module._yardstick_start() };
