// Shows the notice under the window where the program has not started by
// the time the page has loaded: an engine that cannot parse the page's
// script, or that stopped it before it began. Written in old syntax (ES5)
// so that such an engine still runs it.
window.addEventListener('load', function () {
  if (document.documentElement.getAttribute('data-started') !== null) return;
  var notice = document.getElementById('notice');
  if (notice) notice.removeAttribute('hidden');
});
