# Run by the Windows build (cmake -P) before it packs the installer and the zip, which
# hold the 32-bit program beside the 64-bit one: configures the windows32 preset where
# that was not done yet and builds it, so that a plain "cmake --build --preset windows"
# on a clean tree makes both. Takes SOURCE_DIR, the project's source folder.
if(NOT EXISTS ${SOURCE_DIR}/build-windows32/build.ninja)
  execute_process(COMMAND ${CMAKE_COMMAND} --preset windows32
    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "The 32-bit program could not be configured: "
      "run \"cmake --preset windows32 && cmake --build --preset windows32\" first.")
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build --preset windows32 --target zelkor
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The 32-bit program did not build: see above.")
endif()
