# Installs the build into a fresh prefix and checks the files it holds.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(expected
    bin/kurvo
    bin/kurvo-batch
    share/applications/org.kurvo.Kurvo.desktop
    share/icons/hicolor/scalable/apps/org.kurvo.Kurvo.svg
    share/mime/packages/kurvo.xml
    share/metainfo/org.kurvo.Kurvo.metainfo.xml
    share/man/man1/kurvo.1.gz
    share/man/man1/kurvo-batch.1.gz
    share/doc/kurvo/copyright
    share/doc/kurvo/changelog.gz
    share/bash-completion/completions/kurvo
    share/bash-completion/completions/kurvo-batch)
foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/org.kurvo.Kurvo.png)
endforeach()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()
file(REMOVE_RECURSE ${PREFIX})
