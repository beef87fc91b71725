# Puts the style, the engine and the page's script into the page, so that
# one HTML file holds all of it.
#   cmake -DPAGE=web/page -DENGINE=quillgrid_web.js -DOUT=quillgrid.html -P inline.cmake
file(READ ${PAGE}/index.html html)
file(READ ${PAGE}/page.css style)
file(READ ${PAGE}/page.js script)
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
