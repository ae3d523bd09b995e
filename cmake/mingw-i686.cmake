set(quorvel_mingw_arch i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
