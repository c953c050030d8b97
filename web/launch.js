'use strict';
// Starts the C++ program of a page whose window the packer has already
// written into the document. Running the program's code takes longer than
// drawing the window, so the window is drawn first and the program starts
// once it is on screen. In the single file that code waits in a script block
// that does not run (#lumivar-program); on the site it came with this script.
var lumivarLaunch = (function () {
  const root = document.documentElement;

  // The first frame that drew the window, as the browser reports it; where
  // it reports no paints, two frames on; and after half a second at most,
  // since a hidden tab draws nothing.
  function afterFirstPaint(then) {
    let done = false;
    const once = () => {
      if (done) return;
      done = true;
      setTimeout(then);
    };
    const types = window.PerformanceObserver && PerformanceObserver.supportedEntryTypes;
    if (types && types.includes('paint')) {
      new PerformanceObserver((list, observer) => {
        if (!list.getEntriesByName('first-contentful-paint').length) return;
        observer.disconnect();
        once();
      }).observe({ type: 'paint', buffered: true });
    } else {
      requestAnimationFrame(() => requestAnimationFrame(once));
    }
    setTimeout(once, 500);
  }

  // The program's factory; the held code runs as a script of its own, which
  // the page's policy allows by its hash.
  function program() {
    const held = document.getElementById('lumivar-program');
    if (held) {
      const script = document.createElement('script');
      script.textContent = held.textContent;
      document.body.appendChild(script);
    }
    return lumivarProgram;
  }

  // The program stopped before it began: this browser cannot run it.
  function aborted() {
    if (!root.dataset.started) document.getElementById('notice').hidden = false;
  }

  // Ready: the program started, and the focused box's face loaded, at the
  // next frame that draws it.
  function markReady() {
    const style = getComputedStyle(document.activeElement || document.body);
    document.fonts.load(style.fontWeight + ' ' + style.fontSize + ' ' + style.fontFamily).then(() =>
      requestAnimationFrame(() => {
        root.dataset.ready = 'true';
        performance.mark('lumivar-ready');
      }));
  }

  // Calls started(instance) once the program's runtime is up.
  return function launch(started) {
    root.dataset.starting = 'true';
    // Pictures decode beside the first frame's other work rather than after it.
    for (const picture of document.images) if (picture.decode) picture.decode().catch(() => {});
    afterFirstPaint(() => {
      const instance = {
        onAbort: aborted,
        onRuntimeInitialized() {
          started(instance);
          root.dataset.started = 'true';
          markReady();
        }
      };
      try {
        program()(instance);
      } catch (error) {
        aborted();
        throw error;
      }
    });
  };
})();
