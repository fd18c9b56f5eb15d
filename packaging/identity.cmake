# The editor's names and its identity on a Linux desktop, shared by the program
# (version block, window class), the desktop entry, the AppStream data and the
# Debian package. The defaults name no real site: set them for a release.
set(QEN_PRODUCT_NAME "テルノエディタ")
set(QEN_COMPANY_NAME "テルノエディタ開発チーム")
set(QEN_APP_ID "org.example.QenEditor" CACHE STRING
  "Reverse-DNS id of the desktop entry and the AppStream component")
set(QEN_HOMEPAGE_URL "https://example.org/qen-editor" CACHE STRING
  "Project site; the AppStream screenshots are looked for under <url>/screenshots")
set(QEN_PACKAGE_MAINTAINER "テルノエディタ開発チーム <qen-editor@example.org>" CACHE STRING
  "Maintainer field of the Debian package")
