# Makes TARGET a folder holding a link to every entry of SOURCE, so edits to
# committed media show at once, while generated media live beside them.
file(MAKE_DIRECTORY ${TARGET})
file(GLOB entries RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(entry ${entries})
  if(NOT EXISTS ${TARGET}/${entry})
    file(CREATE_LINK ${SOURCE}/${entry} ${TARGET}/${entry} SYMBOLIC)
  endif()
endforeach()
