(deffacts d (uwaga "żółć;"))
; α
