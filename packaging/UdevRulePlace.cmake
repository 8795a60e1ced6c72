# Says at configure time where the stick's udev rule installs, and warns when udev would not
# read it there: the stick then stays closed to the user however well the rest is installed.
# Every udev reads /etc and /usr/lib (/lib); systemd's also /usr/local/lib, the default
# prefix's, others do not. Not an error: a build that is never installed loses nothing.
function(zeft_report_udev_rule_place rule_path)
    cmake_path(GET rule_path PARENT_PATH dir)
    cmake_path(GET rule_path FILENAME name)
    cmake_path(NORMAL_PATH dir)
    set(file "${dir}/${name}")
    set(advice
        "Copy it as root to /etc/udev/rules.d/${name} after installing, or configure with "
        "-DZEFT_UDEV_RULES_DIR=/etc/udev/rules.d (or -DCMAKE_INSTALL_PREFIX=/usr).")
    if(dir MATCHES "^(/etc|/usr/lib|/lib)/udev/rules\\.d$")
        message(STATUS "The stick's udev rule installs to ${file}")
    elseif(dir STREQUAL "/usr/local/lib/udev/rules.d")
        message(STATUS "The stick's udev rule installs to ${file}. systemd's udev reads it "
            "there; other udev implementations read only /etc/udev/rules.d and "
            "/usr/lib/udev/rules.d. " ${advice})
    else()
        message(WARNING "The stick's udev rule would install to ${file}, where udev never "
            "reads it: the stick would stay closed to the user. " ${advice})
    endif()
endfunction()

# As a script: cmake -DRULE_PATH=... -P UdevRulePlace.cmake
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    zeft_report_udev_rule_place("${RULE_PATH}")
endif()
