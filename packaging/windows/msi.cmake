# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the MSI from the portable folder:
#   cmake -D STAGE=<folder> -D VERSION=<x.y.z> -D WXS=<korvelata.wxs> -D ICON=<.ico>
#         -D OUT=<.msi> -P msi.cmake
# The product code follows from the upgrade code and the version, so that a
# version always has the same one.
foreach(variable STAGE VERSION WXS ICON OUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "msi.cmake needs -D ${variable}=...")
    endif()
endforeach()

file(READ ${WXS} wxs)
string(REGEX MATCH "UpgradeCode=\"([0-9A-F-]+)\"" _ "${wxs}")
string(UUID product NAMESPACE ${CMAKE_MATCH_1} NAME "korvelata ${VERSION}" TYPE SHA1 UPPER)

# wixl takes only relative paths: it runs in a work folder that holds the
# icon and a link to the portable folder.
get_filename_component(out ${OUT} ABSOLUTE)
get_filename_component(wxs_file ${WXS} ABSOLUTE)
get_filename_component(stage ${STAGE} ABSOLUTE)
set(work ${out}.work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(CREATE_LINK ${stage} ${work}/stage SYMBOLIC)
file(COPY_FILE ${ICON} ${work}/korvelata.ico)

# The files at the top first: wixl-heat puts them into the install folder
# itself only when no subfolder came before them.
file(GLOB_RECURSE files RELATIVE ${work} ${work}/stage/*)
list(SORT files)
set(top "")
set(below "")
foreach(file ${files})
    string(REPLACE "/" ";" parts ${file})
    list(LENGTH parts depth)
    if(depth EQUAL 2)
        string(APPEND top "${file}\n")
    else()
        string(APPEND below "${file}\n")
    endif()
endforeach()
file(WRITE ${work}/files.txt "${top}${below}")
execute_process(COMMAND wixl-heat --var var.Stage -p stage/ --directory-ref INSTALLDIR
                        --component-group Program --win64
    INPUT_FILE ${work}/files.txt OUTPUT_FILE ${work}/files.wxs COMMAND_ERROR_IS_FATAL ANY)

# wixl writes the tables in the code page of WINDOWS_LANGUAGE and marks the
# database with none; _ForceCodepage then names 1251, Cyrillic, so that
# Windows reads the Bulgarian texts right.
file(WRITE ${work}/_ForceCodepage.idt "\r\n\r\n1251\t_ForceCodepage\r\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env WINDOWS_LANGUAGE=bg
                        wixl -a x64 -D Win64=yes -D Stage=stage -D Version=${VERSION}
                        -D ProductCode=${product} -D Icon=korvelata.ico -o ${out} ${wxs_file} files.wxs
    WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env WINDOWS_LANGUAGE=bg msibuild ${out} -i ${work}/_ForceCodepage.idt
    COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${work})
message(STATUS "${out}: product code {${product}}")
