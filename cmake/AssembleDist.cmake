# Run with -D SOURCE=<data folder> -D DIST=<application folder> -D QT_TRANSLATIONS=<Qt's
# translations folder>.
foreach(folder LANGUAGE MASTER PROJECTS)
  file(MAKE_DIRECTORY "${DIST}/${folder}")
endforeach()

foreach(folder LANGUAGE MASTER)
  file(GLOB shipped LIST_DIRECTORIES false "${SOURCE}/${folder}/*")
  foreach(item IN LISTS shipped)
    get_filename_component(name "${item}" NAME)
    if(NOT name STREQUAL ".gitkeep")
      file(COPY "${item}" DESTINATION "${DIST}/${folder}")
    endif()
  endforeach()
endforeach()

file(GLOB samples LIST_DIRECTORIES true "${SOURCE}/PROJECTS/*")
foreach(sample IN LISTS samples)
  get_filename_component(name "${sample}" NAME)
  if(IS_DIRECTORY "${sample}" AND NOT EXISTS "${DIST}/PROJECTS/${name}")
    # .gitkeep only keeps an empty folder such as bin in the repository.
    file(COPY "${sample}" DESTINATION "${DIST}/PROJECTS" PATTERN ".gitkeep" EXCLUDE)
  endif()
endforeach()

# Qt's own texts for the shipped languages, so a copied folder keeps them.
file(MAKE_DIRECTORY "${DIST}/translations")
foreach(language de es fr it)
  set(translation "${QT_TRANSLATIONS}/qtbase_${language}.qm")
  if(NOT EXISTS "${translation}")
    message(FATAL_ERROR "${translation} is missing: scripts/setup installs Qt's translations")
  endif()
  file(COPY "${translation}" DESTINATION "${DIST}/translations")
endforeach()
