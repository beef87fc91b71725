# Puts the style, the engine and the page's scripts into the page, so that
# one HTML file holds all of it. The scripts share one function's scope, in
# this order: the words, the engine bridge, the drawing, the wiring.
#   cmake -DPAGE=web/page -DENGINE=quillgrid_web.js -DOUT=quillgrid.html -P inline.cmake
file(READ ${PAGE}/index.html html)
file(READ ${PAGE}/page.css style)
set(script "(function () {\n'use strict';\n")
foreach(part strings engine drawing page)
  file(READ ${PAGE}/${part}.js text)
  string(APPEND script "${text}")
endforeach()
string(APPEND script "})();\n")
file(READ ${ENGINE} engine)
foreach(part style script engine)
  string(FIND "${${part}}" "</script" closes)
  string(FIND "${${part}}" "</style" ends)
  if(NOT closes EQUAL -1 OR NOT ends EQUAL -1)
    message(FATAL_ERROR "${part} would end its element early")
  endif()
endforeach()
string(REPLACE "/*QG-STYLE*/" "${style}" html "${html}")
string(REPLACE "/*QG-ENGINE*/" "${engine}" html "${html}")
string(REPLACE "/*QG-SCRIPT*/" "${script}" html "${html}")
file(WRITE ${OUT} "${html}")
