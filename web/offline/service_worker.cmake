# Writes the site's service worker (sw.js) from its template: the list of the
# site's files, and a version that is the hash of all of them, so that each build
# that changes a file gets a cache of its own.
#
#   cmake -DSITE=build-web/site -DTEMPLATE=web/offline/sw.js.in -P service_worker.cmake
file(GLOB names RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names sw.js)
list(FILTER names EXCLUDE REGEX "^(bench|frame_bench)")
list(SORT names)
set(hashes "")
set(FILES "")
foreach(name ${names})
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND hashes "${name}:${hash}\n")
  string(APPEND FILES "\n  './${name}',")
endforeach()
string(SHA256 all "${hashes}")
string(SUBSTRING ${all} 0 16 VERSION)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
