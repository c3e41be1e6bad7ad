#error "the toolkit-free core may not use hidapi or libudev; go through a port in src/platform"
