# The Tallywick + add-in SDK: the target Tallywick::Addin gives the header
# <tallywick/twkaddin.h> and the Qt an add-in is built with.
include(CMakeFindDependencyMacro)
find_dependency(Qt6 COMPONENTS Core Widgets)
include(${CMAKE_CURRENT_LIST_DIR}/TallywickAddinTargets.cmake)
