list(APPEND LAUNCHER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/setup_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/res_string.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setup_inf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win_main.cpp)
