# `cpack -G DEB` in the build folder makes tollamar_<version>_<arch>.deb from the
# install rules. The dependencies come from dpkg-shlibdeps over the installed ELF
# files; the package's own libWordseek.so.1 gets a shlibs entry and the ldconfig
# trigger, since it lands in the shared library folder.
set(CPACK_PACKAGE_NAME tollamar)
set(CPACK_PACKAGE_VENDOR Tollworks)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo browser for the comments in JPEG files")
set(CPACK_PACKAGE_DESCRIPTION
  "Tollamar lists a folder's photos with their camera data and the comment each JPEG file \
carries in its COM segment, shows them, writes comments to one photo or to every listed \
photo (as Shift-JIS or UTF-16), searches folder trees for comments and moves Exif blocks \
between photos. Every rewrite keeps a backup until the new file is safely in place. \
tollamar-cli does the same from scripts.")
set(CPACK_PACKAGE_CONTACT "Tollworks <tollamar@tollworks.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The menu entry and the icon cache are refreshed by the desktop's own dpkg triggers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, hicolor-icon-theme, qt6-translations-l10n")

include(CPack)
