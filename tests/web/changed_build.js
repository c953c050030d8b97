// Packed after the page's own scripts into a second build of the site: the
// update check knows by it which build runs.
var lumivarChangedBuild = true;
