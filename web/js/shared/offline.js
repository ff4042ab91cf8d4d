// The site kept for use with no network: the service worker (sw.js, written by
// the build with the list of the site's files) registered by each page. Where
// the browser has none, or refuses it, the pages work online as before.

export function keepForOffline() {
  if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch(error => console.warn(`offline: ${error.message || error}`));
}
