# Compiles a version record into a program so that the version reader finds it in the file.
# The record is compiled into the program's own sources (not a library), so the linker keeps it.
function(tavo_version_record target major minor release build)
    set(TAVO_VR_MAJOR ${major})
    set(TAVO_VR_MINOR ${minor})
    set(TAVO_VR_RELEASE ${release})
    set(TAVO_VR_BUILD ${build})
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_record.cpp)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version_record.cpp.in ${out} @ONLY)
    target_sources(${target} PRIVATE ${out})
endfunction()
