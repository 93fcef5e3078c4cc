# Reliability of the device link: request matching, faults end to end, soak driver.
console_test(NAME test_requests_in_flight SOURCES test_requests_in_flight.cpp LIBS device)
