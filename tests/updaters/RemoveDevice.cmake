# Removes one emulated device from an application folder, and DEVICES itself when nothing else
# is left in it. Run with -D DEVICES=<folder> -D NAME=<device>.
file(REMOVE_RECURSE "${DEVICES}/${NAME}")
file(GLOB left "${DEVICES}/*")
if(IS_DIRECTORY "${DEVICES}" AND NOT left)
  file(REMOVE_RECURSE "${DEVICES}")
endif()
