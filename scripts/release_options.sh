# The options of build/release, shared by run.sh and test.sh (sourced, not run).
release_options=(
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
  -DBTMAGNET_BUILD_APP=ON -DBTMAGNET_BUILD_TESTS=ON -DBTMAGNET_BUILD_BENCH=ON
  -DBTMAGNET_SANITIZE=OFF -DBTMAGNET_FUZZ=OFF
)
