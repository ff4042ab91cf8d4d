# Removes a page's chunks of an earlier bundling (SITE/ENTRY-HASH.js), so that the
# site, and the service worker's list of it, holds only this build's.
#
#   cmake -DSITE=build-web/site -DENTRY=page -P remove_chunks.cmake
file(GLOB chunks ${SITE}/${ENTRY}-*.js)
if(chunks)
  file(REMOVE ${chunks})
endif()
