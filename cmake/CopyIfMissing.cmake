# cmake -DSOURCE=... -DTARGET=... -P CopyIfMissing.cmake
# Keeps a file the program has written to (the registry store) across builds.
if(NOT EXISTS "${TARGET}")
  get_filename_component(folder "${TARGET}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
