// Shows the notice under the window where the page's script has not begun
// to start the program by the time the page has loaded: an engine that
// cannot parse that script. Written in old syntax (ES5) so that such an
// engine still runs it.
window.addEventListener('load', function () {
  if (document.documentElement.getAttribute('data-starting') !== null) return;
  var notice = document.getElementById('notice');
  if (notice) notice.removeAttribute('hidden');
});
