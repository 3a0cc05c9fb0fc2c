# `cpack -G DEB` in a build folder makes orbiquest9_<version>_<arch>.deb,
# which `apt install ./orbiquest9_*.deb` installs with the libraries it
# links (found by dpkg-shlibdeps, from dpkg-dev).
set(CPACK_PACKAGE_NAME orbiquest9)
set(CPACK_PACKAGE_VENDOR "Orbiquest9")
set(CPACK_PACKAGE_CONTACT "Orbiquest9 <orbiquest9@orbiquest9.example>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Load also reads TIFF, WebP and TGA with the image plugins; the Japanese
# texts want a CJK font where the designed one is missing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "${PROJECT_DESCRIPTION}
 Type a planet's period and its star's velocity semi-amplitude: the program
 completes the orbit, computes the minimum mass with the mass function,
 animates planet and star and plots the radial-velocity curve.")

include(CPack)
