# The program's icon: the SVG drawing and the PNG sizes of the hicolor theme, made from it at
# build time with rsvg-convert (Debian package librsvg2-bin).
set(OMBRIX_TAILLES_ICONE 16 22 24 32 48 64 128 256)
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) is needed to draw the icons; `make deps` installs it")
endif()

# ombrix_icones(target svg): draws the sizes into icons/hicolor/<N>x<N>/apps/<name>.png of the
# build tree, compiles them into `target` as the Qt resources ":/icons/<N>x<N>/<name>.png", and
# installs them, with the SVG, into the hicolor theme.
function(ombrix_icones target svg)
  get_filename_component(nom ${svg} NAME_WE)
  set(racine ${CMAKE_BINARY_DIR}/icons/hicolor)
  set(images)
  foreach(n ${OMBRIX_TAILLES_ICONE})
    set(image ${racine}/${n}x${n}/apps/${nom}.png)
    add_custom_command(
      OUTPUT ${image}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${racine}/${n}x${n}/apps
      COMMAND ${RSVG_CONVERT} --width ${n} --height ${n} --format png --output ${image} ${svg}
      DEPENDS ${svg}
      COMMENT "Icon ${nom} at ${n}x${n}"
      VERBATIM)
    set_source_files_properties(${image} PROPERTIES QT_RESOURCE_ALIAS ${n}x${n}/${nom}.png)
    list(APPEND images ${image})
    install(FILES ${image} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${n}x${n}/apps)
  endforeach()
  qt_add_resources(${target} icones_${nom} PREFIX /icons FILES ${images})
  install(FILES ${svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endfunction()
