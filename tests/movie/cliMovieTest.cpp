// plotweave-cli movie as a separate process.
