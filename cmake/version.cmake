# Writes OUT, a header of the version and commit of the source in SOURCE,
# as git describe tells them: a tag v0.4.0 gives 0.4.0; three commits
# after it, 0.4.0+3.gHASH; with no tag, 0.0.0+gHASH; changes not committed
# add .dirty. Outside git, 0.0.0 and a commit that says so. The file is
# written only when it changes, so that a build that runs this does no
# other work.
#   cmake -DSOURCE=DIR -DOUT=FILE -P version.cmake
execute_process(COMMAND git -C "${SOURCE}" describe --tags --match "v[0-9]*" --dirty --always --abbrev=12
                OUTPUT_VARIABLE described RESULT_VARIABLE failed ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND git -C "${SOURCE}" log -1 --format=%H%n%cs
                OUTPUT_VARIABLE commit RESULT_VARIABLE logFailed ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed OR logFailed OR NOT described)
  set(version "0.0.0")
  set(hash "built outside git")
  set(date "")
else()
  string(REPLACE "\n" ";" commit "${commit}")
  list(GET commit 0 hash)
  list(GET commit 1 date)
  string(SUBSTRING "${hash}" 0 12 hash)
  set(dirty "")
  if(described MATCHES "-dirty$")
    set(dirty ".dirty")
    string(REGEX REPLACE "-dirty$" "" described "${described}")
  endif()
  if(described MATCHES "^v([0-9]+\\.[0-9]+\\.[0-9]+)$")
    set(version "${CMAKE_MATCH_1}")
  elseif(described MATCHES "^v([0-9]+\\.[0-9]+\\.[0-9]+)-([0-9]+)-g([0-9a-f]+)$")
    set(version "${CMAKE_MATCH_1}+${CMAKE_MATCH_2}.g${CMAKE_MATCH_3}")
  else()
    set(version "0.0.0+g${hash}")
  endif()
  string(APPEND version "${dirty}")
  set(hash "commit ${hash}")
endif()
set(text "// Made by cmake/version.cmake from git describe: not kept by hand.\n#define QG_VERSION \"${version}\"\n#define QG_COMMIT \"${hash}\"\n#define QG_COMMIT_DATE \"${date}\"\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
