# Writes the service worker from its template: the files it keeps, and a version that is the digest
# of their names and contents, so that any change to any of them makes a new worker.
#   cmake -DSITE=DIR -DTEMPLATE=FILE -DFILES=a,b,c -P make_service_worker.cmake
string(REPLACE "," ";" files "${FILES}")
set(digests "")
set(quoted "'./'")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file}:${digest}\n")
  string(APPEND quoted ", '${file}'")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 SITE_VERSION)
set(SITE_FILES ${quoted})
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
